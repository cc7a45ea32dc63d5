#pragma once
// The categories of elements, told by the start of their names, and the
// languages among the other elements.

#include <string_view>

#include "elements/element.hpp"
#include "text/cp1251.hpp"

inline constexpr auto kPlacePrefix = cp1251("=источник задачи: ");
inline constexpr auto kConditionAuthorPrefix = cp1251("=автор условия ");
inline constexpr auto kSolutionAuthorPrefix = cp1251("=автор решения ");
inline constexpr auto kRussianPrefix = cp1251("=РЯ ");
static_assert(kPlacePrefix.size == 18 && kConditionAuthorPrefix.size == 15 && kSolutionAuthorPrefix.size == 15 &&
              kRussianPrefix.size == 4);

// Names that begin with this are categories. The Russian-language ones begin
// with the Russian prefix less its blank, so that "=РЯглагол" is one too.
inline constexpr char kCategoryMark = '=';
inline constexpr std::string_view kRussianMark = kRussianPrefix.view().substr(0, kRussianPrefix.size - 1);

// True when the element's name begins with the category mark.
bool isCategory(const IndexElement& element);

// True when the element's name begins with the Russian mark.
bool isRussianLanguageElement(const IndexElement& element);

// True when the element is live and its name holds the word "язык" (or "Язык")
// not preceded right before by "{}".
bool isLanguageElement(const IndexElement& element);
