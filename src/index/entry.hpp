#pragma once
// What every subject-index file shares: preambles, the entry line, the
// reference list and the small tests on elements.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "elements/element.hpp"
#include "text/cp1251.hpp"
#include "text/format.hpp"

// Category prefixes of element names.
inline constexpr auto kPlacePrefix = cp1251("=источник задачи: ");
inline constexpr auto kConditionAuthorPrefix = cp1251("=автор условия ");
inline constexpr auto kSolutionAuthorPrefix = cp1251("=автор решения ");
inline constexpr auto kRussianPrefix = cp1251("=РЯ ");
static_assert(kPlacePrefix.size == 18 && kConditionAuthorPrefix.size == 15 && kSolutionAuthorPrefix.size == 15 &&
              kRussianPrefix.size == 4);

// True when the element is live and the very problem record is among its references.
bool refersTo(const IndexElement& element, ProblemRef problem);

// True when the element is live and its name holds the word "язык" (or "Язык")
// not preceded right before by "{}".
bool isLanguageElement(const IndexElement& element);
