#pragma once
// The rubricator "po_zadacham.tex": for every problem of the book, the index
// elements that refer to it; and the largest book number that bounds every
// walk over book numbers.

#include <cstdint>
#include <vector>

#include "elements/tables.hpp"
#include "outputs/book_references.hpp"
#include "problems/lookups.hpp"
#include "text/format.hpp"

// The largest book number of a defined problem (0 when none has one).
std::int32_t computeMaxBookNumber(const Tables& tables);

// The subsection of the listing's number when exactly one problem has it,
// with a line per referring element; its duplicates join `duplicates`.
void writeRubricatorBlock(const BookNumberListing& listing, Sink& out, std::vector<DuplicateLookup>& duplicates);

// The whole rubricator in a walk of its own: one subsection per book number
// that exactly one problem has; the duplicates the lookups met, in their order.
std::vector<DuplicateLookup> writeRubricator(const Tables& tables, std::int32_t maxBookNumber, Sink& out);
