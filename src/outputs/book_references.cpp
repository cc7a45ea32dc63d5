#include "outputs/book_references.hpp"

#include <algorithm>

std::vector<std::int32_t> bookNumbersOf(const std::vector<ProblemRef>& problems, std::int32_t maxBookNumber) {
    std::vector<std::int32_t> numbers;
    for (ProblemRef problem : problems)
        if (problem != nullptr)
            for (const Placement& p : problem->placements)
                if (p.present == 1 && p.source == 0 && p.number >= 1 && p.number <= maxBookNumber)
                    numbers.push_back(p.number);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

BookReferences collectBookReferences(const ElementTable& elements, std::int32_t maxBookNumber) {
    BookReferences byNumber(static_cast<std::size_t>(std::max(maxBookNumber, 0)) + 1);
    for (const IndexElement& element : elements) {
        if (element.actual != 1) continue;
        for (ProblemRef ref : element.zz) {
            for (std::int32_t n : bookNumbersOf({ref}, maxBookNumber)) {
                std::vector<BookReference>& group = byNumber[static_cast<std::size_t>(n)];
                if (group.empty() || group.back().element != &element) group.push_back({&element, {}});
                group.back().refs.push_back(ref);
            }
        }
    }
    return byNumber;
}
