#pragma once
// "po_jazykam.tex": one paragraph per language, with links to the statements
// of its problems.

#include <cstdint>

#include "elements/tables.hpp"
#include "text/format.hpp"

// The whole list: every language element but the categories.
void writeLanguageList(const Tables& tables, Bytes& out, Bytes& console);

// One paragraph: the name, then the problems by their number in `source`;
// nothing for an element that is not live.
void writeLanguageEntry(const IndexElement& element, std::int32_t source, Bytes& out);
