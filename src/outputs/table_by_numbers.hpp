#pragma once
// "tabl_po_nomeram.tex": one table row per problem of the book, in book-number
// order (places, authors, pages, earlier publications), then the legend of sources.

#include <cstdint>
#include <vector>

#include "elements/tables.hpp"
#include "problems/lookups.hpp"
#include "text/format.hpp"

// The duplicates the lookups met, in their order.
std::vector<DuplicateLookup> writeTableByNumbers(const Tables& tables, std::int32_t maxBookNumber, Sink& out);
