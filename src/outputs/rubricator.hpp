#pragma once
// The rubricator "po_zadacham.tex": for every problem of the book, the index
// elements that refer to it; and the largest book number that bounds every
// walk over book numbers.

#include <cstdint>
#include <functional>
#include <vector>

#include "elements/tables.hpp"
#include "problems/lookups.hpp"
#include "text/format.hpp"

// The largest book number of a defined problem (0 when none has one).
std::int32_t computeMaxBookNumber(const Tables& tables);

struct Referring {
    const IndexElement* element = nullptr;
    bool starred = false;  // the element's line wrote this reference with "*"
};

// One book number: the live elements, in table order, whose references hold
// its problem, and the duplicates the lookups met on the way.
struct BookNumberListing {
    std::int32_t number = 0;
    std::vector<Referring> elements;
    std::vector<DuplicateLookup> duplicates;
};

// For each book number 1 to `maxBookNumber` in turn, its listing.
void listElementsByBookNumber(const Tables& tables, std::int32_t maxBookNumber,
                              const std::function<void(const BookNumberListing&)>& visit);

// One subsection per book number that exactly one problem has, with a line per
// referring element; the duplicates the lookups met, in their order.
std::vector<DuplicateLookup> writeRubricator(const Tables& tables, std::int32_t maxBookNumber, Sink& out);
