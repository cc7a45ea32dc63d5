#include "elements/ordering.hpp"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "text/cp1251.hpp"
#include "text/separator.hpp"

namespace {

void logNames(const ElementTable& table, Bytes& log) {
    for (const IndexElement& e : table) format(log, e.actual == 1 ? "%s\n" : "null\n", e.name);
}

void printAll(const ElementTable& table, Bytes& console) {
    for (const IndexElement& e : table) printElement(e, 0, console);
}

void sortTable(ElementTable& table) {
    std::stable_sort(table.begin(), table.end(),
                     [](const IndexElement& a, const IndexElement& b) { return compareElements(a, b) < 0; });
}

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
    sortTable(table);
    return merged;
}

// Walks the references as both dumps do; `number` writes one whose book number
// is above 0, `none` one without.
template <class Number, class None>
bool walkReferences(const IndexElement& element, std::int32_t source, Bytes& console, Number number, None none) {
    bool printed = false;
    for (ProblemRef ref : element.zz) {
        if (ref == nullptr) continue;
        if (printed) console += ", ";
        std::int32_t n = numberInSource(ref, source);
        if (n > 0) number(n, isStarred(element, ref));
        else none();
        printed = true;
    }
    return printed;
}

void printNote(const IndexElement& element, bool printed, Bytes& console) {
    if (element.note.empty()) return;
    if (printed) console += "; ";
    format(console, "%s", element.note);
}

}  // namespace

std::string comparisonKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        std::string_view rest = name.substr(i);
        if (rest.starts_with("<<") || rest.starts_with(">>")) {
            ++i;
            continue;
        }
        key += name[i];
    }
    return key;
}

int compareElements(const IndexElement& a, const IndexElement& b) {
    if (a.actual != 1 && b.actual != 1) return 0;
    if (a.actual != 1) return 1;
    if (b.actual != 1) return -1;
    // std::string compares its chars as unsigned bytes, as strcmp does.
    int order = comparisonKey(a.name).compare(comparisonKey(b.name));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
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

void sortReferences(IndexElement& element) {
    if (element.actual != 1 || element.zz.empty()) return;
    std::stable_sort(element.zz.begin(), element.zz.end(),
                     [](ProblemRef a, ProblemRef b) { return compareByNumberInSource(a, b, 0) < 0; });
}

void printElement(const IndexElement& element, std::int32_t source, Bytes& console) {
    if (element.actual != 1) return;
    format(console, "%s -- ", element.name);
    bool printed = walkReferences(
        element, source, console,
        [&](std::int32_t n, bool starred) { format(console, starred ? "%d*" : "%d", n); },
        [&] { console += '*'; });
    printNote(element, printed, console);
    console += '\n';
}

void printElementTex(const IndexElement& element, std::int32_t source, Bytes& console) {
    if (element.actual != 1) return;
    format(console,
           "\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]{\\hypertarget{elementID-%d}}%s"
           "\\mbox{$\\quad$}",
           element.id, element.name);
    bool printed = walkReferences(
        element, source, console,
        [&](std::int32_t n, bool starred) {
            format(console, starred ? "\\hyperlink{kvirtadoc-usl-%d}{%d*}" : "\\hyperlink{kvirtadoc-usl-%d}{%d}", n, n);
        },
        [&] { console += '*'; });
    printNote(element, printed, console);
    console += "\\par\n";
}

void orderElements(ElementTable& table, OrderingLogs logs, Bytes& console) {
    console += kSeparator;
    logNames(table, logs.log3);
    printAll(table, console);
    console += kSeparator;
    console += cp1251(
                   "\nСделать сортировку элементов указателя\nи слияние элементов с одинаковыми названиями,\n"
                   "а также сортировку номеров внутри элемента.\n")
                   .view();
    sortTable(table);
    logNames(table, logs.log4);
    printAll(table, console);
    while (mergePass(table, logs.log5)) {
    }
    console += kSeparator;
    for (IndexElement& e : table) {
        sortReferences(e);
        printElement(e, 0, console);
    }
    console += kSeparator;
    for (IndexElement& e : table) {
        sortReferences(e);
        printElementTex(e, 0, console);
    }
}
