#pragma once
// Moving about a book: what the cursor stands on (a reference, a problem
// line, an element's name, a section marker), hover texts about it, the line
// that answers a reference, the lines that refer to a problem, and the
// outline of sections.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/analysis.hpp"
#include "lsp/positions.hpp"
#include "lsp/protocol.hpp"

// What stands at a position of a book source.
struct Spot {
    long line = 0;           // 1-based
    std::size_t column = 0;  // characters before the position
    LineRole role;
    std::string_view raw;  // the line in code page 1251
};

Spot spotAt(const Analysis& analysis, Position position);

// The reference token under the spot, when it stands on one in an element line.
std::optional<ReferenceToken> referenceAt(const Spot& spot);

// True when the spot stands on the name of an element line.
bool onElementName(const Spot& spot);

// The index files an element lands in, by its category.
std::vector<std::string_view> indexFilesOf(const IndexElement& element);

// Hover: null when nothing known stands there.
Json hover(const Analysis& analysis, Position position);

// Location of the problem line that answers a reference, or of the label
// line of a section marker's source; null when there is none.
Json definition(const Analysis& analysis, std::string_view uri, Position position);

// From a problem line: every reference that resolves to its problem (and the
// line itself when `withDeclaration`).
Json references(const Analysis& analysis, std::string_view uri, Position position, bool withDeclaration);

// The problem blocks and the element sections, with their sources' labels.
Json documentSymbols(const Analysis& analysis);
