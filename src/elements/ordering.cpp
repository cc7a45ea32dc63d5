#include "elements/ordering.hpp"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "problems/lookups.hpp"
#include "text/cp1251.hpp"

namespace {

// One merge pass over neighbours; true when it merged anything.
bool mergePass(ElementTable& table, Bytes& log5) {
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

// The next byte of the name's key from position `i`, or -1 at its end. Pairs
// "<<" and ">>" are recognised left to right and dropped.
int nextKeyByte(std::string_view name, std::size_t& i) {
    while (i < name.size()) {
        std::string_view rest = name.substr(i);
        if (rest.starts_with("<<") || rest.starts_with(">>")) {
            i += 2;
            continue;
        }
        return static_cast<unsigned char>(name[i++]);
    }
    return -1;
}

}  // namespace

int compareElements(const IndexElement& a, const IndexElement& b) {
    if (a.actual != 1 && b.actual != 1) return 0;
    if (a.actual != 1) return 1;
    if (b.actual != 1) return -1;
    // Keys compared as strcmp compares: unsigned bytes, the shorter first. The
    // keys are walked in place: sorting a large table must not build them.
    std::size_t i = 0;
    std::size_t j = 0;
    while (true) {
        int x = nextKeyByte(a.name, i);
        int y = nextKeyByte(b.name, j);
        if (x != y) return x < y ? -1 : 1;
        if (x < 0) return 0;
    }
}

void mergeElements(IndexElement& receiving, const IndexElement& merged, Bytes& log5) {
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

void logNames(const ElementTable& table, Bytes& log) {
    for (const IndexElement& e : table) format(log, e.actual == 1 ? "%s\n" : "null\n", e.name);
}

void sortElements(ElementTable& table) {
    std::stable_sort(table.begin(), table.end(),
                     [](const IndexElement& a, const IndexElement& b) { return compareElements(a, b) < 0; });
}

void mergeEqualNames(ElementTable& table, Bytes& log5) {
    while (mergePass(table, log5)) {
    }
}

void sortReferences(IndexElement& element) {
    if (element.actual != 1 || element.zz.empty()) return;
    std::stable_sort(element.zz.begin(), element.zz.end(),
                     [](ProblemRef a, ProblemRef b) { return compareByNumberInSource(a, b, 0) < 0; });
}

void sortReferences(ElementTable& table) {
    for (IndexElement& e : table) sortReferences(e);
}
