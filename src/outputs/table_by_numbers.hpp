#pragma once
// "tabl_po_nomeram.tex": one table row per problem of the book, in book-number
// order (places, authors, pages, earlier publications), then the legend of sources.

#include <cstdint>

#include "elements/tables.hpp"
#include "text/format.hpp"

// `console` receives the lookups' duplicate diagnostics.
void writeTableByNumbers(const Tables& tables, std::int32_t maxBookNumber, Sink& out, Sink& console);
