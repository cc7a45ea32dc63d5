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

}  // namespace

std::int32_t BookReferences::walkedNumber(ProblemRef problem) const {
    const ProblemRecord* end = records + bookNumbers.size();
    if (problem != nullptr && !std::less<>()(problem, records) && std::less<>()(problem, end))
        return bookNumbers[static_cast<std::size_t>(problem - records)];
    return numberWithin(problem, maxBookNumber);  // none, or a record of no table
}

// Files the element under the number of its next reference, if it has one.
void BookReferences::fileElement(std::int32_t element) {
    const auto e = static_cast<std::size_t>(element);
    const std::vector<ProblemRef>& refs = elements[e].zz;
    std::int32_t filed = cursor[e] < refs.size() ? walkedNumber(refs[cursor[e]]) : 0;
    if (filed == 0) return;
    bucketNext[e] = bucketHead[static_cast<std::size_t>(filed)];
    bucketHead[static_cast<std::size_t>(filed)] = element;
}

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

BookReferences::BookReferences(const ElementTable& elementTable, const ProblemTable& problems,
                               std::int32_t maxNumber)
    : elements(elementTable), maxBookNumber(std::max(maxNumber, 0)), records(problems.records.data()) {
    bookNumbers.reserve(problems.size());
    for (const ProblemRecord& record : problems) bookNumbers.push_back(numberWithin(&record, maxBookNumber));
    cursor.assign(elements.size(), 0);
    bucketHead.assign(static_cast<std::size_t>(maxBookNumber) + 1, -1);
    bucketNext.assign(elements.size(), -1);
    starredFirst.assign(elements.size() + 1, 0);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const IndexElement& element = elements[i];
        if (isLive(element)) {
            std::size_t first = starred.size();
            std::copy_if(element.zz_.begin(), element.zz_.end(), std::back_inserter(starred),
                         [](ProblemRef p) { return p != nullptr; });
            std::sort(starred.begin() + static_cast<std::ptrdiff_t>(first), starred.end());
            fileElement(static_cast<std::int32_t>(i));
            // A reference without a book number stands under every number it is placed in the book.
            for (std::size_t at = 0; at < element.zz.size(); ++at) {
                if (walkedNumber(element.zz[at]) != 0) continue;
                for (std::int32_t n : bookNumbersOf({&element.zz[at], 1}, maxBookNumber))
                    placed.push_back({n, static_cast<std::int32_t>(i), at});
            }
        }
        starredFirst[i + 1] = starred.size();
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.number, a.element, a.at) < std::tie(b.number, b.element, b.at);
    });
}

std::span<const BookReference> BookReferences::next() {
    const std::int32_t n = number++;
    groups.clear();
    gathered.clear();
    members.clear();
    if (n < 1 || n > maxBookNumber) return {};
    for (std::int32_t e = bucketHead[static_cast<std::size_t>(n)]; e >= 0; e = bucketNext[static_cast<std::size_t>(e)])
        members.push_back(e);
    bucketHead[static_cast<std::size_t>(n)] = -1;
    std::sort(members.begin(), members.end());

    // Elements with a run of references under the number, merged in table
    // order with those whose references without a book number are placed under it.
    found.clear();
    std::size_t placedFirst = placedNext;
    while (placedNext < placed.size() && placed[placedNext].number == n) ++placedNext;
    std::size_t m = 0;
    std::size_t p = placedFirst;
    while (m < members.size() || p < placedNext) {
        std::int32_t e = m < members.size() ? members[m] : placed[p].element;
        if (p < placedNext) e = std::min(e, placed[p].element);
        Found group{e, 0, 0, p, p};
        if (m < members.size() && members[m] == e) {
            const std::vector<ProblemRef>& refs = elements[static_cast<std::size_t>(e)].zz;
            std::size_t& at = cursor[static_cast<std::size_t>(e)];
            group.runFirst = at;
            while (at < refs.size() && walkedNumber(refs[at]) == n) ++at;
            group.runLast = at;
            fileElement(e);
            ++m;
        }
        while (p < placedNext && placed[p].element == e) ++p;
        group.placedLast = p;
        found.push_back(group);
    }

    // A group that is one run points into the element's references; the
    // others are gathered first and pointed to once the gathering is done.
    for (const Found& group : found) {
        if (group.placedFirst == group.placedLast) continue;
        const std::vector<ProblemRef>& refs = elements[static_cast<std::size_t>(group.element)].zz;
        gathered.insert(gathered.end(), refs.begin() + static_cast<std::ptrdiff_t>(group.runFirst),
                        refs.begin() + static_cast<std::ptrdiff_t>(group.runLast));
        for (std::size_t i = group.placedFirst; i < group.placedLast; ++i) gathered.push_back(refs[placed[i].at]);
    }
    std::size_t gatheredAt = 0;
    for (const Found& group : found) {
        const auto e = static_cast<std::size_t>(group.element);
        BookReference reference;
        reference.element = &elements[e];
        reference.starred =
            std::span<const ProblemRef>(starred).subspan(starredFirst[e], starredFirst[e + 1] - starredFirst[e]);
        if (group.placedFirst == group.placedLast) {
            reference.refs = std::span<const ProblemRef>(elements[e].zz).subspan(group.runFirst, group.runLast - group.runFirst);
        } else {
            std::size_t count = group.runLast - group.runFirst + group.placedLast - group.placedFirst;
            reference.refs = std::span<const ProblemRef>(gathered).subspan(gatheredAt, count);
            gatheredAt += count;
        }
        groups.push_back(reference);
    }
    return groups;
}

namespace {

// The live elements, in table order, whose references hold the problem with
// book number `n`; the lookups' duplicates join `duplicates`.
void elementsReferringTo(std::span<const BookReference> referring, std::int32_t n, std::vector<Referring>& list,
                         std::vector<DuplicateLookup>& duplicates) {
    for (const BookReference& r : referring) {
        ProblemRef problem = findProblemAmongRefs(0, n, r.element->name, r.refs, 0, duplicates);
        if (problem != nullptr) list.push_back({r.element, std::binary_search(r.starred.begin(), r.starred.end(), problem)});
    }
}

}  // namespace

void listElementsByBookNumber(const Tables& tables, std::int32_t maxBookNumber,
                              const std::function<void(const BookNumberListing&)>& visit) {
    BookReferences walk(tables.elements, tables.problems, maxBookNumber);
    // One listing, emptied for every number, so that its memory is reused.
    BookNumberListing listing;
    for (std::int32_t n = 1; n <= maxBookNumber; ++n) {
        listing.number = n;
        listing.problem = findProblem(tables.problems, 0, n, 0);
        listing.elements.clear();
        listing.duplicates.clear();
        elementsReferringTo(walk.next(), n, listing.elements, listing.duplicates);
        visit(listing);
    }
}
