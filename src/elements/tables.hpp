#pragma once
// Everything a run builds from its source and hands from stage to stage.

#include <cstdint>

#include "elements/element.hpp"
#include "elements/sources.hpp"
#include "problems/problem.hpp"

struct Tables {
    ProblemTable problems;
    ElementTable elements;
    SourceTable sources{};
    std::int32_t idCounter = 1;
    std::int32_t positionsRead = 0;
    std::int32_t maxBookNumber = 0;  // set by the rubricator stage, read by the two tables
};
