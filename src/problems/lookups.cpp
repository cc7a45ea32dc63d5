#include "problems/lookups.hpp"

#include <algorithm>
#include <cstdint>


std::int32_t numberInSource(ProblemRef problem, std::int32_t source) {
    if (problem->defined != 1) return -1;
    return source == 0 ? problem->bookNumber : agreedNumber(*problem, source);
}

ProblemRef placementOf(ProblemRef problem, std::int32_t source, std::int32_t number, std::int32_t subnumber) {
    for (const Placement& p : problem->placements) {
        if (p.present == 1 && p.source == source && p.number == number &&
            (subnumber == 0 || subnumber == p.subnumber))
            return problem;
    }
    return nullptr;
}

namespace {

// The index entries of the placements with that source and number.
std::pair<std::vector<IndexedPlacement>::const_iterator, std::vector<IndexedPlacement>::const_iterator> placedAt(
    const ProblemTable& table, std::int32_t source, std::int32_t number) {
    auto entries = table.placementIndex.begin();
    auto none = std::make_pair(table.placementIndex.end(), table.placementIndex.end());
    auto slice = std::lower_bound(table.sourceIndex.begin(), table.sourceIndex.end(), source,
                                  [](const SourceIndex& s, std::int32_t wanted) { return s.source < wanted; });
    if (slice == table.sourceIndex.end() || slice->source != source) return none;
    if (!slice->byNumber.empty()) {
        std::int64_t offset = std::int64_t{number} - slice->lowest;
        if (offset < 0 || offset + 1 >= static_cast<std::int64_t>(slice->byNumber.size())) return none;
        auto at = static_cast<std::size_t>(offset);
        return {entries + slice->byNumber[at], entries + slice->byNumber[at + 1]};
    }
    // Every reference looks its problem up: a comparison the search can take in line.
    return std::equal_range(entries + slice->first, entries + slice->last, IndexedPlacement{source, number, -1, 0},
                            [](const IndexedPlacement& a, const IndexedPlacement& b) { return placedBefore(a, b); });
}

}  // namespace

ProblemRef findProblem(const ProblemTable& table, std::int32_t source, std::int32_t number, std::int32_t subnumber) {
    auto [first, last] = placedAt(table, source, number);
    // The candidates come in table order, a record once for each placement it has here.
    constexpr std::uint32_t none = UINT32_MAX;
    std::uint32_t kept = none;
    for (auto it = first; it != last; ++it) {
        if (it->record == kept || (subnumber != 0 && subnumber != it->subnumber)) continue;
        if (kept != none) return nullptr;
        kept = it->record;
    }
    return kept == none ? nullptr : &table.records[kept];
}

std::vector<Answering> placementsAnswering(const ProblemTable& table, std::int32_t source, std::int32_t number,
                                                  std::int32_t subnumber) {
    auto [first, last] = placedAt(table, source, number);
    std::vector<Answering> answering;
    for (auto it = first; it != last; ++it) {
        const ProblemRecord& record = table.records[it->record];
        for (const Placement& p : record.placements) {
            bool matches = p.present == 1 && p.source == source && p.number == number &&
                           (subnumber == 0 || subnumber == p.subnumber);
            auto same = [&](const Answering& a) { return a.placement == &p; };
            if (matches && std::none_of(answering.begin(), answering.end(), same))
                answering.push_back({&p, &record});
        }
    }
    return answering;
}

ProblemRef findProblemAmongRefs(std::int32_t source, std::int32_t number, std::string_view elementName,
                                std::span<const ProblemRef> refs, std::int32_t subnumber,
                                std::vector<DuplicateLookup>& duplicates) {
    ProblemRef kept = nullptr;
    for (ProblemRef ref : refs) {
        if (ref == nullptr || placementOf(ref, source, number, subnumber) == nullptr || ref == kept) continue;
        if (kept == nullptr) {
            kept = ref;
            continue;
        }
        duplicates.push_back({elementName, kept, ref});
        return nullptr;
    }
    return kept;
}

int compareByNumberInSource(ProblemRef a, ProblemRef b, std::int32_t sortSource) {
    std::int32_t ka = numberInSource(a, sortSource);
    std::int32_t kb = numberInSource(b, sortSource);
    if (ka <= 0 && kb <= 0) return 0;
    if (ka <= 0) return 1;
    if (kb <= 0) return -1;
    return ka < kb ? -1 : (ka > kb ? 1 : 0);
}
