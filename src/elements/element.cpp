#include "elements/element.hpp"

#include <algorithm>

#include "text/cp1251.hpp"

ElementTable makeElementTable(std::size_t count, std::int32_t& idCounter) {
    ElementTable table(count);
    for (IndexElement& e : table) e.id = ++idCounter;
    return table;
}

void clear(IndexElement& element) {
    element.actual = 0;
    element.name.clear();
    element.zz.clear();
    element.zz.shrink_to_fit();
    element.zz_.clear();
    element.zz_.shrink_to_fit();
}

bool isStarred(const IndexElement& element, ProblemRef problem) {
    return std::find(element.zz_.begin(), element.zz_.end(), problem) != element.zz_.end();
}
