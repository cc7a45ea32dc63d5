#include "index/entry.hpp"

#include <algorithm>

bool refersTo(const IndexElement& element, ProblemRef problem) {
    return element.actual != 0 && std::find(element.zz.begin(), element.zz.end(), problem) != element.zz.end();
}

bool isLanguageElement(const IndexElement& element) {
    if (element.actual != 1) return false;
    constexpr auto kSmall = cp1251("язык");
    constexpr auto kCapital = cp1251("Язык");
    std::string_view name = element.name;
    std::size_t small = name.find(kSmall.view());
    std::size_t capital = name.find(kCapital.view());
    std::size_t at = std::min(small, capital);
    if (at == std::string_view::npos) return false;
    return !(at >= 2 && name.substr(at - 2, 2) == "{}");
}
