#pragma once
// The elements' references grouped by book number, so that the writers that
// walk the book number by number need not ask every element every time.

#include <cstdint>
#include <vector>

#include "elements/element.hpp"

// An element and those of its references (in their order) whose problem is
// placed in the book under one number. A lookup of that number among these
// references answers exactly as among all the element's references.
struct BookReference {
    const IndexElement* element = nullptr;
    std::vector<ProblemRef> refs;
};

// For every book number 1 to `maxBookNumber`, the live elements that refer to
// a problem placed under it, in table order. Index 0 stays empty.
using BookReferences = std::vector<std::vector<BookReference>>;

BookReferences collectBookReferences(const ElementTable& elements, std::int32_t maxBookNumber);

// The numbers from 1 to `maxBookNumber` under which any of the problems is
// placed in the book, in increasing order, each once.
std::vector<std::int32_t> bookNumbersOf(const std::vector<ProblemRef>& problems, std::int32_t maxBookNumber);
