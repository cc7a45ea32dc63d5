#pragma once
// The elements' references grouped by book number, for the writers that walk
// the book number by number: a walk hands on each number's groups in turn, so
// that nobody asks every element every time and the grouping of a large book
// (millions of references) is never held whole.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "elements/element.hpp"
#include "elements/tables.hpp"
#include "problems/lookups.hpp"

// An element and those of its references (in their order) whose problem is
// placed in the book under one number. A lookup of that number among these
// references answers exactly as among all the element's references.
struct BookReference {
    const IndexElement* element = nullptr;
    std::span<const ProblemRef> refs;
    std::span<const ProblemRef> starred;  // the element's starred problems, sorted
};

// A walk over the book numbers 1 to `maxBookNumber`. It reads each live
// element's references in the order ordering leaves them, by book number,
// those without one last. The tables must outlive the walk.
class BookReferences {
public:
    BookReferences(const ElementTable& elements, const ProblemTable& problems, std::int32_t maxBookNumber);

    // The live elements that refer to a problem placed under the walk's next
    // number (1, 2, ... in turn), in table order; the walk moves on to the
    // number after. What it returns stays valid until the next call.
    std::span<const BookReference> next();

private:
    // A reference without a book number of its own whose problem is placed in
    // the book all the same, under one of the numbers it is placed.
    struct Placed {
        std::int32_t number;
        std::int32_t element;
        std::size_t at;  // in the element's references
    };
    // Of each group of a number: its element, its run of references, and
    // where its references without a book number stand in `placed`.
    struct Found {
        std::int32_t element;
        std::size_t runFirst, runLast;
        std::size_t placedFirst, placedLast;
    };

    std::int32_t walkedNumber(ProblemRef problem) const;
    void fileElement(std::int32_t element);

    const ElementTable& elements;
    std::int32_t maxBookNumber = 0;
    std::int32_t number = 1;  // the one the walk hands on next

    // Each record's book number within the walk (0: none), side by side: the
    // walk asks for one at every reference, and the records lie far apart.
    const ProblemRecord* records = nullptr;
    std::vector<std::int32_t> bookNumbers;

    // Of each element: where its references with a book number go on.
    std::vector<std::size_t> cursor;
    // The elements whose next reference has the number, linked through
    // `bucketNext`; -1 ends a list.
    std::vector<std::int32_t> bucketHead;
    std::vector<std::int32_t> bucketNext;

    std::vector<Placed> placed;  // by number, element and place
    std::size_t placedNext = 0;

    std::vector<ProblemRef> starred;        // every element's starred problems, sorted element by element
    std::vector<std::size_t> starredFirst;  // where each element's begin, and one past the last

    // The current number's groups, and the references of those that are not
    // one run of an element's references.
    std::vector<BookReference> groups;
    std::vector<ProblemRef> gathered;
    std::vector<std::int32_t> members;
    std::vector<Found> found;
};

// The numbers from 1 to `maxBookNumber` under which any of the problems is
// placed in the book, in increasing order, each once.
std::vector<std::int32_t> bookNumbersOf(std::span<const ProblemRef> problems, std::int32_t maxBookNumber);

struct Referring {
    const IndexElement* element = nullptr;
    bool starred = false;  // the element's line wrote this reference with "*"
};

// One book number: the one problem the book places under it (none when none
// or several are), the live elements, in table order, whose references hold
// that problem, and the duplicates the lookups met on the way.
struct BookNumberListing {
    std::int32_t number = 0;
    ProblemRef problem = nullptr;
    std::vector<Referring> elements;
    std::vector<DuplicateLookup> duplicates;
};

// For each book number 1 to `maxBookNumber` in turn, its listing. The
// rubricator, the table by numbers and the run's trace all read the same
// listings: one walk can serve them all.
void listElementsByBookNumber(const Tables& tables, std::int32_t maxBookNumber,
                              const std::function<void(const BookNumberListing&)>& visit);
