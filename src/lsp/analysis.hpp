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
    std::vector<std::size_t> utf8Starts;    // its lines as the book reads them (ended by "\n")
    std::vector<std::size_t> editorStarts;  // its lines as the editor counts them (also a lone "\r")
    BookText book;  // code page 1251: the same characters, one byte each
    std::vector<std::size_t> bookStarts;
    std::vector<LineRole> roles;  // by line, from 0
    BookCheck check;              // its findings include the characters code page 1251 cannot hold
};

// Checks `utf8` as a book source; `templateText` is the template in code
// page 1251, when there is one; `options` come from the book's olyindex.toml.
Analysis analyse(std::string utf8, std::optional<std::string> templateText, CheckOptions options = {});

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

// olyindex.toml as a document of its own: its text (UTF-8, as TOML is) and
// the faults found in it (InFile::Config).
Analysis analyseConfig(std::string utf8);

// A place in the book's terms: a line (from 0) as the book reads lines, and
// the characters of that line before the place.
struct BookPlace {
    std::int64_t line = 0;
    std::int64_t characters = 0;
};

// Where a position of the editor stands in the book's lines. The two differ
// only where a lone "\r" ends a line for the editor but cuts it for the book.
BookPlace bookPlace(const Analysis& analysis, Position position);

// The editor's position of `characters` characters into line `line` (from 1)
// of the book; a count past the line's text means its end.
Position editorPosition(const Analysis& analysis, long line, std::int64_t characters);

// The protocol's range of columns [first, last] (1-based characters, both
// inclusive; last < first: an empty range before first) of line `line`
// (1-based), in UTF-16 units.
Json rangeOf(const Analysis& analysis, long line, std::int32_t first, std::int32_t last);
