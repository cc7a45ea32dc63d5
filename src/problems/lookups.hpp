#pragma once
// Turning problem numbers into records and back: a problem's number in a
// source, and the lookups by placement, through the table's placement index.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "problems/problem.hpp"

// The problem's number in the source: -1 for an empty record, 0 when it has no
// placement there or several that disagree.
std::int32_t numberInSource(ProblemRef problem, std::int32_t source);

// The problem when one of its placements has that source and number and, unless
// `subnumber` is 0, that subnumber; none otherwise.
ProblemRef placementOf(ProblemRef problem, std::int32_t source, std::int32_t number, std::int32_t subnumber);

// The one problem of the table with that placement; none when none or several have it.
ProblemRef findProblem(const ProblemTable& table, std::int32_t source, std::int32_t number, std::int32_t subnumber);

// Every placement of the table with that source and number that a lookup with
// `subnumber` accepts, in table order: why findProblem found none or several.
struct Answering {
    const Placement* placement = nullptr;
    ProblemRef record = nullptr;
};
std::vector<Answering> placementsAnswering(const ProblemTable& table, std::int32_t source, std::int32_t number,
                                                  std::int32_t subnumber);

// Two different problems among an element's references that a lookup found
// with one placement: the first kept, and the other.
struct DuplicateLookup {
    std::string_view element;  // the element's name
    ProblemRef kept = nullptr;
    ProblemRef other = nullptr;
};

// The same search over an element's references. Two different problems give
// none, and the pair joins `duplicates`.
ProblemRef findProblemAmongRefs(std::int32_t source, std::int32_t number, std::string_view elementName,
                                std::span<const ProblemRef> refs, std::int32_t subnumber,
                                std::vector<DuplicateLookup>& duplicates);

// Order of numbers in `sortSource`: ascending, problems without a number last.
int compareByNumberInSource(ProblemRef a, ProblemRef b, std::int32_t sortSource);
