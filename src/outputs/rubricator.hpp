#pragma once
// The rubricator "po_zadacham.tex": for every problem of the book, the index
// elements that refer to it; and the largest book number that bounds every
// walk over book numbers.

#include <cstdint>

#include "elements/tables.hpp"
#include "text/format.hpp"

// The largest book number of a defined problem (0 when none has one), reported on the console.
std::int32_t computeMaxBookNumber(const Tables& tables, Sink& console);

// Console listing: for each book number 1 to `maxBookNumber`, the names of the
// live elements that refer to it.
void printElementsByBookNumber(const Tables& tables, std::int32_t maxBookNumber, Sink& console);

// One subsection per book number that exactly one problem has, with a line per
// referring element. `console` receives the lookups' duplicate diagnostics.
void writeRubricator(const Tables& tables, std::int32_t maxBookNumber, Sink& out, Sink& console);
