#include "elements/ordering.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/numbers.hpp"

namespace {

// The byte key of each live element, worked out once, by its place in the
// table: the name itself, or the name without its "<<" and ">>" kept in
// `stripped`. Sorting a large table compares keys millions of times. The
// views hold while no element moves and no live element is renamed.
struct ByteKeys {
    std::string stripped;
    std::vector<std::string_view> keys;
};

ByteKeys byteKeysOf(const ElementTable& table) {
    ByteKeys byteKeys;
    byteKeys.keys.resize(table.size());
    struct Stripped {
        std::size_t element, at, size;
    };
    std::vector<Stripped> stripped;
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::string_view name = table[i].name;
        if (!isLive(table[i])) continue;
        if (isOwnByteKey(name)) {
            byteKeys.keys[i] = name;
            continue;
        }
        std::size_t at = byteKeys.stripped.size();
        appendByteKey(name, byteKeys.stripped);
        stripped.push_back({i, at, byteKeys.stripped.size() - at});
    }
    for (const Stripped& s : stripped) byteKeys.keys[s.element] = std::string_view(byteKeys.stripped).substr(s.at, s.size);
    return byteKeys;
}

// The elements' places in the table in the order of compareElements, equal
// ones as `order` had them.
void sortOrder(const ElementTable& table, const ByteKeys& byteKeys, std::vector<std::size_t>& order) {
    // The free ones set apart first, so that the sort compares keys only and
    // never reaches into the elements.
    auto free = std::stable_partition(order.begin(), order.end(), [&table](std::size_t e) { return isLive(table[e]); });
    std::stable_sort(order.begin(), free,
                     [&byteKeys](std::size_t a, std::size_t b) { return byteKeys.keys[a] < byteKeys.keys[b]; });
}

std::vector<std::size_t> tableOrder(const ElementTable& table) {
    std::vector<std::size_t> order(table.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    return order;
}

// Moves the element at order[k] to place k, for every k, each element once.
void applyOrder(ElementTable& table, std::vector<std::size_t>& order) {
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start) continue;
        IndexElement held = std::move(table[start]);
        std::size_t k = start;
        while (order[k] != start) {
            std::size_t from = order[k];
            table[k] = std::move(table[from]);
            order[k] = k;
            k = from;
        }
        table[k] = std::move(held);
        order[k] = k;
    }
}

// log5's "(i,i+1)" before a merge of the neighbours at i and i + 1.
void logPair(Sink& log5, std::size_t i) {
    log5 += "\n\n(";
    appendDecimal(log5, static_cast<std::int64_t>(i));
    log5 += ',';
    appendDecimal(log5, static_cast<std::int64_t>(i + 1));
    log5 += ") ";
}

// One merge pass over neighbours in `order`; true when it merged anything.
bool mergePass(ElementTable& table, const ByteKeys& byteKeys, const std::vector<std::size_t>& order, Sink& log5) {
    log5 += cp1251("\n\nНАЧАЛО СЛЕДУЮЩЕГО ПРОХОДА\n").view();
    bool merged = false;
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        IndexElement& receiving = table[order[i]];
        IndexElement& next = table[order[i + 1]];
        if (!isLive(receiving) || !isLive(next) || byteKeys.keys[order[i]] != byteKeys.keys[order[i + 1]]) continue;
        logPair(log5, i);
        mergeElements(receiving, next, log5);
        clear(next);
        merged = true;
        ++i;
    }
    return merged;
}

}  // namespace

int compareElements(const IndexElement& a, const IndexElement& b) {
    if (!isLive(a) && !isLive(b)) return 0;
    if (!isLive(a)) return 1;
    if (!isLive(b)) return -1;
    return compareByteKeys(a.name, b.name);
}

void mergeElements(IndexElement& receiving, const IndexElement& merged, Sink& log5) {
    // Piece by piece: a format call costs more than the few bytes it writes,
    // and a large book merges thousands of times.
    log5 += "   ";
    appendDecimal(log5, static_cast<std::int64_t>(receiving.zz.size()));
    log5 += '+';
    appendDecimal(log5, static_cast<std::int64_t>(merged.zz.size()));
    log5 += "   /";
    log5 += receiving.name;
    log5 += '/';
    log5 += merged.name;
    log5 += '/';
    // Exactly the room needed: an element takes at most one merge a pass, and
    // the references of a large book are most of its memory.
    receiving.zz.reserve(receiving.zz.size() + merged.zz.size());
    receiving.zz_.reserve(receiving.zz_.size() + merged.zz_.size());
    receiving.zz.insert(receiving.zz.end(), merged.zz.begin(), merged.zz.end());
    receiving.zz_.insert(receiving.zz_.end(), merged.zz_.begin(), merged.zz_.end());
    for (ProblemRef ref : receiving.zz) {
        log5 += ' ';
        writeProblem(*ref, log5);
    }
    if (merged.note.empty()) return;
    if (!receiving.note.empty()) receiving.note += "; ";
    receiving.note += merged.note;
}

void logNames(const ElementTable& table, Sink& log) {
    for (const IndexElement& e : table) {
        // Not through a format, for every element of the book; a name, cut
        // from a cleaned line, holds no zero byte where a "%s" would stop.
        if (isLive(e)) (log += e.name) += '\n';
        else log += "null\n";
    }
}

void sortElements(ElementTable& table) {
    ByteKeys byteKeys = byteKeysOf(table);
    std::vector<std::size_t> order = tableOrder(table);
    sortOrder(table, byteKeys, order);
    applyOrder(table, order);
}

void mergeEqualNames(ElementTable& table, Sink& log5) {
    // The passes work on the order, not the table: the elements move once, at the end.
    ByteKeys byteKeys = byteKeysOf(table);
    std::vector<std::size_t> order = tableOrder(table);
    bool merged = false;
    do {
        merged = mergePass(table, byteKeys, order, log5);
        // Sorted already, the live ones stay in order when some are freed:
        // the sort after the pass only moves the freed ones after them.
        std::stable_partition(order.begin(), order.end(), [&table](std::size_t e) { return isLive(table[e]); });
    } while (merged);
    applyOrder(table, order);
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
        if (isLive(table[i])) live.push_back({russianKey(table[i].name), i});
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

namespace {

// A reference with its book number (those without one last) and its place,
// so that a plain sort keeps equal ones in order: each record is read once,
// not at every comparison, and no sort buffer is allocated per element.
struct KeyedReference {
    std::uint32_t bookNumber;
    std::uint32_t at;
    ProblemRef problem;
};

void sortReferences(IndexElement& element, std::vector<KeyedReference>& keyed) {
    if (!isLive(element) || element.zz.size() < 2) return;
    keyed.clear();
    for (ProblemRef problem : element.zz) {
        std::int32_t number = numberInSource(problem, 0);
        auto key = number > 0 ? static_cast<std::uint32_t>(number) : UINT32_MAX;
        keyed.push_back({key, static_cast<std::uint32_t>(keyed.size()), problem});
    }
    std::sort(keyed.begin(), keyed.end(), [](const KeyedReference& a, const KeyedReference& b) {
        return a.bookNumber != b.bookNumber ? a.bookNumber < b.bookNumber : a.at < b.at;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) element.zz[i] = keyed[i].problem;
}

}  // namespace

void sortReferences(IndexElement& element) {
    std::vector<KeyedReference> keyed;
    sortReferences(element, keyed);
}

void sortReferences(ElementTable& table) {
    std::vector<KeyedReference> keyed;
    for (IndexElement& e : table) sortReferences(e, keyed);
}
