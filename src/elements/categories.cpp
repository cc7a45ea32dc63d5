#include "elements/categories.hpp"

#include <algorithm>

bool isCategory(const IndexElement& element) {
    return element.name.starts_with(kCategoryMark);
}

bool isRussianLanguageElement(const IndexElement& element) {
    return element.name.starts_with(kRussianMark);
}

bool isLanguageElement(const IndexElement& element) {
    if (!isLive(element)) return false;
    constexpr auto kSmall = cp1251("язык");
    constexpr auto kCapital = cp1251("Язык");
    std::string_view name = element.name;
    std::size_t small = name.find(kSmall.view());
    std::size_t capital = name.find(kCapital.view());
    std::size_t at = std::min(small, capital);
    if (at == std::string_view::npos) return false;
    return !(at >= 2 && name.substr(at - 2, 2) == "{}");
}
