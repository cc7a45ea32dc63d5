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
    std::int32_t positionsRead = 0;
};
