#pragma once
// What the server knows of an open book source: its text in both encodings
// with the start of every line, the check's tables and findings, and the role
// of each line (which section it stands in, what kind of line it is), from
// which the features find what stands under the cursor.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/book_check.hpp"
#include "lsp/documents.hpp"
#include "lsp/protocol.hpp"

enum class LineKind { Blank, ProblemMarker, ElementMarker, Problem, Element, SourceLabel, SourceName, BeforeMarker };

struct LineRole {
    LineKind kind = LineKind::Blank;
    bool inElements = false;  // the section the line stands in holds elements
    std::int32_t source = 0;  // of that element section (or of the marker); -1 for "#/-"
};

struct Analysis {
    std::string utf8;  // the text as the editor has it
    std::vector<std::size_t> utf8Starts;
    BookText book;  // code page 1251: the same characters, one byte each
    std::vector<std::size_t> bookStarts;
    std::vector<LineRole> roles;  // by line, from 0
    BookCheck check;              // its findings include the characters code page 1251 cannot hold
};

// Checks `utf8` as a book source; `templateText` is the template in code
// page 1251, when there is one.
Analysis analyse(std::string utf8, std::optional<std::string> templateText);

// Line `line` (from 0) of the book text, without its line end.
std::string_view bookLine(const Analysis& analysis, std::int64_t line);
std::string_view utf8Line(const Analysis& analysis, std::int64_t line);
LineRole roleOf(const Analysis& analysis, std::int64_t line);

// A reference token of an element line: its bytes [first, end) in the line.
struct ReferenceToken {
    std::size_t first = 0;
    std::size_t end = 0;
    std::int32_t number = -1;     // -1: the token is malformed
    std::int32_t subnumber = -1;  // -1: none
    bool starred = false;
};

// An element line taken apart as it stands in the file.
struct ElementParts {
    std::size_t nameFirst = 0;  // the name's bytes [nameFirst, nameEnd), spaces around it left out
    std::size_t nameEnd = 0;
    bool hasDash = false;
    std::size_t referencesFirst = 0;  // after the dash separator
    std::vector<ReferenceToken> references;
};

// `raw`: the line as it stands in the file; its comment is left out.
ElementParts elementParts(std::string_view raw);

// The name an element line gives, spaces folded as the parser folds them.
std::string elementName(std::string_view raw, const ElementParts& parts);

// The problem a reference of the section of `source` resolves to, as the
// element parser resolves it; null when none or several answer.
ProblemRef resolve(const Tables& tables, std::int32_t source, const ReferenceToken& token);

// The problem record read from line `line` (from 1), or null.
ProblemRef problemOnLine(const Tables& tables, long line);

// The elements read from line `line` (from 1): one at most, as the check neither sorts nor merges.
const IndexElement* elementOnLine(const Tables& tables, long line);

// The template as a document of its own: its text and the check's findings
// about it (InFile::Template).
Analysis analyseTemplate(std::string utf8);

// The protocol's range of columns [first, last] (1-based characters, both
// inclusive; last < first: an empty range before first) of line `line`
// (1-based), in UTF-16 units.
Json rangeOf(const Analysis& analysis, long line, std::int32_t first, std::int32_t last);
