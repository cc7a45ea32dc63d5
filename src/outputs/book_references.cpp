#include "outputs/book_references.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <tuple>

#include "problems/lookups.hpp"

namespace {

// The book number of a reference that has one within the walk, else 0.
std::int32_t numberWithin(ProblemRef problem, std::int32_t maxBookNumber) {
    if (problem == nullptr) return 0;
    std::int32_t number = numberInSource(problem, 0);
    return number >= 1 && number <= maxBookNumber ? number : 0;
}

std::int32_t walkedNumber(const BookReferences& walk, ProblemRef problem) {
    const ProblemRecord* end = walk.records + walk.bookNumbers.size();
    if (problem != nullptr && !std::less<>()(problem, walk.records) && std::less<>()(problem, end))
        return walk.bookNumbers[static_cast<std::size_t>(problem - walk.records)];
    return numberWithin(problem, walk.maxBookNumber);  // none, or a record of no table
}

// Files the element under the number of its next reference, if it has one.
void fileElement(BookReferences& walk, std::int32_t element) {
    const std::vector<ProblemRef>& refs = (*walk.elements)[static_cast<std::size_t>(element)].zz;
    std::size_t at = walk.cursor[static_cast<std::size_t>(element)];
    std::int32_t number = at < refs.size() ? walkedNumber(walk, refs[at]) : 0;
    if (number == 0) return;
    walk.bucketNext[static_cast<std::size_t>(element)] = walk.bucketHead[static_cast<std::size_t>(number)];
    walk.bucketHead[static_cast<std::size_t>(number)] = element;
}

}  // namespace

std::vector<std::int32_t> bookNumbersOf(std::span<const ProblemRef> problems, std::int32_t maxBookNumber) {
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

BookReferences walkBookReferences(const ElementTable& elements, const ProblemTable& problems,
                                  std::int32_t maxBookNumber) {
    BookReferences walk;
    walk.elements = &elements;
    walk.maxBookNumber = std::max(maxBookNumber, 0);
    walk.records = problems.records.data();
    walk.bookNumbers.reserve(problems.size());
    for (const ProblemRecord& record : problems) walk.bookNumbers.push_back(numberWithin(&record, walk.maxBookNumber));
    walk.cursor.assign(elements.size(), 0);
    walk.bucketHead.assign(static_cast<std::size_t>(walk.maxBookNumber) + 1, -1);
    walk.bucketNext.assign(elements.size(), -1);
    walk.starredFirst.assign(elements.size() + 1, 0);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const IndexElement& element = elements[i];
        if (isLive(element)) {
            std::size_t first = walk.starred.size();
            std::copy_if(element.zz_.begin(), element.zz_.end(), std::back_inserter(walk.starred),
                         [](ProblemRef p) { return p != nullptr; });
            std::sort(walk.starred.begin() + static_cast<std::ptrdiff_t>(first), walk.starred.end());
            fileElement(walk, static_cast<std::int32_t>(i));
            // A reference without a book number stands under every number it is placed in the book.
            for (std::size_t at = 0; at < element.zz.size(); ++at) {
                if (walkedNumber(walk, element.zz[at]) != 0) continue;
                for (std::int32_t number : bookNumbersOf({&element.zz[at], 1}, walk.maxBookNumber))
                    walk.placed.push_back({number, static_cast<std::int32_t>(i), at});
            }
        }
        walk.starredFirst[i + 1] = walk.starred.size();
    }
    std::sort(walk.placed.begin(), walk.placed.end(), [](const BookReferences::Placed& a, const BookReferences::Placed& b) {
        return std::tie(a.number, a.element, a.at) < std::tie(b.number, b.element, b.at);
    });
    return walk;
}

std::span<const BookReference> nextBookNumber(BookReferences& walk) {
    const ElementTable& elements = *walk.elements;
    const std::int32_t number = walk.next++;
    walk.groups.clear();
    walk.gathered.clear();
    walk.members.clear();
    if (number < 1 || number > walk.maxBookNumber) return {};
    for (std::int32_t e = walk.bucketHead[static_cast<std::size_t>(number)]; e >= 0;
         e = walk.bucketNext[static_cast<std::size_t>(e)])
        walk.members.push_back(e);
    walk.bucketHead[static_cast<std::size_t>(number)] = -1;
    std::sort(walk.members.begin(), walk.members.end());

    // Elements with a run of references under the number, merged in table
    // order with those whose references without a book number are placed under it.
    using Group = BookReferences::Found;
    std::vector<Group>& found = walk.found;
    found.clear();
    std::size_t placedFirst = walk.placedNext;
    while (walk.placedNext < walk.placed.size() && walk.placed[walk.placedNext].number == number) ++walk.placedNext;
    std::size_t m = 0;
    std::size_t p = placedFirst;
    while (m < walk.members.size() || p < walk.placedNext) {
        std::int32_t e = m < walk.members.size() ? walk.members[m] : walk.placed[p].element;
        if (p < walk.placedNext) e = std::min(e, walk.placed[p].element);
        Group group{e, 0, 0, p, p};
        if (m < walk.members.size() && walk.members[m] == e) {
            const std::vector<ProblemRef>& refs = elements[static_cast<std::size_t>(e)].zz;
            std::size_t& at = walk.cursor[static_cast<std::size_t>(e)];
            group.runFirst = at;
            while (at < refs.size() && walkedNumber(walk, refs[at]) == number) ++at;
            group.runLast = at;
            fileElement(walk, e);
            ++m;
        }
        while (p < walk.placedNext && walk.placed[p].element == e) ++p;
        group.placedLast = p;
        found.push_back(group);
    }

    // A group that is one run points into the element's references; the
    // others are gathered first and pointed to once the gathering is done.
    for (const Group& group : found) {
        if (group.placedFirst == group.placedLast) continue;
        const std::vector<ProblemRef>& refs = elements[static_cast<std::size_t>(group.element)].zz;
        walk.gathered.insert(walk.gathered.end(), refs.begin() + static_cast<std::ptrdiff_t>(group.runFirst),
                             refs.begin() + static_cast<std::ptrdiff_t>(group.runLast));
        for (std::size_t i = group.placedFirst; i < group.placedLast; ++i) walk.gathered.push_back(refs[walk.placed[i].at]);
    }
    std::size_t gatheredAt = 0;
    for (const Group& group : found) {
        const std::size_t e = static_cast<std::size_t>(group.element);
        BookReference reference;
        reference.element = &elements[e];
        reference.starred = std::span<const ProblemRef>(walk.starred).subspan(
            walk.starredFirst[e], walk.starredFirst[e + 1] - walk.starredFirst[e]);
        if (group.placedFirst == group.placedLast) {
            reference.refs = std::span<const ProblemRef>(elements[e].zz).subspan(group.runFirst, group.runLast - group.runFirst);
        } else {
            std::size_t count = group.runLast - group.runFirst + group.placedLast - group.placedFirst;
            reference.refs = std::span<const ProblemRef>(walk.gathered).subspan(gatheredAt, count);
            gatheredAt += count;
        }
        walk.groups.push_back(reference);
    }
    return walk.groups;
}
