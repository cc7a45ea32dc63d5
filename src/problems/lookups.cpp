#include "problems/lookups.hpp"

#include <algorithm>

#include "text/cp1251.hpp"

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

ProblemRef findProblem(const ProblemTable& table, std::int32_t source, std::int32_t number, std::int32_t subnumber) {
    auto [first, last] = std::equal_range(table.placementIndex.begin(), table.placementIndex.end(),
                                          IndexedPlacement{source, number, nullptr}, placedBefore);
    // The candidates come in table order, a record once for each placement it has here.
    ProblemRef kept = nullptr;
    for (auto it = first; it != last; ++it) {
        if (it->record == kept || placementOf(it->record, source, number, subnumber) == nullptr) continue;
        if (kept != nullptr) return nullptr;
        kept = it->record;
    }
    return kept;
}

std::vector<const Placement*> placementsAnswering(const ProblemTable& table, std::int32_t source, std::int32_t number,
                                                  std::int32_t subnumber) {
    auto [first, last] = std::equal_range(table.placementIndex.begin(), table.placementIndex.end(),
                                          IndexedPlacement{source, number, nullptr}, placedBefore);
    std::vector<const Placement*> answering;
    for (auto it = first; it != last; ++it) {
        for (const Placement& p : it->record->placements) {
            bool matches = p.present == 1 && p.source == source && p.number == number &&
                           (subnumber == 0 || subnumber == p.subnumber);
            if (matches && std::find(answering.begin(), answering.end(), &p) == answering.end())
                answering.push_back(&p);
        }
    }
    return answering;
}

ProblemRef findProblemAmongRefs(const ProblemTable& table, std::int32_t source, std::int32_t number,
                                std::string_view elementName, std::span<const ProblemRef> refs,
                                std::int32_t subnumber, Sink& console) {
    ProblemRef kept = nullptr;
    for (ProblemRef ref : refs) {
        if (ref == nullptr || placementOf(ref, source, number, subnumber) == nullptr || ref == kept) continue;
        if (kept == nullptr) {
            kept = ref;
            continue;
        }
        format(console, cp1251("\nДУБЛИКАТ/%s/\n"), elementName);
        format(console, "%x ", handleOf(table, kept));
        printProblem(*kept, console);
        format(console, "%x ", handleOf(table, ref));
        printProblem(*ref, console);
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
