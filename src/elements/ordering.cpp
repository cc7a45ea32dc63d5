#include "elements/ordering.hpp"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "problems/lookups.hpp"
#include "text/cp1251.hpp"

namespace {

// One merge pass over neighbours; true when it merged anything.
bool mergePass(ElementTable& table, Sink& log5) {
    log5 += cp1251("\n\nНАЧАЛО СЛЕДУЮЩЕГО ПРОХОДА\n").view();
    bool merged = false;
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        if (table[i].actual != 1 || compareElements(table[i], table[i + 1]) != 0) continue;
        format(log5, "\n\n(%d,%d) ", i, i + 1);
        mergeElements(table[i], table[i + 1], log5);
        clear(table[i + 1]);
        merged = true;
        ++i;
    }
    sortElements(table);
    return merged;
}

}  // namespace

int compareElements(const IndexElement& a, const IndexElement& b) {
    if (a.actual != 1 && b.actual != 1) return 0;
    if (a.actual != 1) return 1;
    if (b.actual != 1) return -1;
    return compareByteKeys(a.name, b.name);
}

void mergeElements(IndexElement& receiving, const IndexElement& merged, Sink& log5) {
    format(log5, "   %d+%d", receiving.zz.size(), merged.zz.size());
    format(log5, "   /%s/%s/", receiving.name, merged.name);
    receiving.zz.insert(receiving.zz.end(), merged.zz.begin(), merged.zz.end());
    receiving.zz_.insert(receiving.zz_.end(), merged.zz_.begin(), merged.zz_.end());
    for (ProblemRef ref : receiving.zz) {
        log5 += ' ';
        writeProblem(*ref, log5);
    }
    if (merged.note.empty()) return;
    if (receiving.note.empty()) receiving.note = merged.note;
    else receiving.note += "; " + merged.note;
}

void logNames(const ElementTable& table, Sink& log) {
    for (const IndexElement& e : table) format(log, e.actual == 1 ? "%s\n" : "null\n", e.name);
}

void sortElements(ElementTable& table) {
    std::stable_sort(table.begin(), table.end(),
                     [](const IndexElement& a, const IndexElement& b) { return compareElements(a, b) < 0; });
}

void mergeEqualNames(ElementTable& table, Sink& log5) {
    while (mergePass(table, log5)) {
    }
}

void sortInNameOrder(ElementTable& table, NameOrder order) {
    if (order == NameOrder::Bytewise) return;
    // Each key is worked out once: the table may hold a hundred thousand elements.
    struct Keyed {
        std::string key;
        std::size_t at;
    };
    std::vector<Keyed> live;
    std::vector<std::size_t> unused;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].actual == 1) live.push_back({russianKey(table[i].name), i});
        else unused.push_back(i);
    }
    std::stable_sort(live.begin(), live.end(), [&table](const Keyed& a, const Keyed& b) {
        return compareRussian(a.key, table[a.at].name, b.key, table[b.at].name) < 0;
    });
    ElementTable sorted;
    sorted.reserve(table.size());
    for (const Keyed& k : live) sorted.push_back(std::move(table[k.at]));
    for (std::size_t i : unused) sorted.push_back(std::move(table[i]));
    table = std::move(sorted);
}

void sortReferences(IndexElement& element) {
    if (element.actual != 1 || element.zz.empty()) return;
    std::stable_sort(element.zz.begin(), element.zz.end(),
                     [](ProblemRef a, ProblemRef b) { return compareByNumberInSource(a, b, 0) < 0; });
}

void sortReferences(ElementTable& table) {
    for (IndexElement& e : table) sortReferences(e);
}
