#include "outputs/rubricator.hpp"

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "elements/categories.hpp"
#include "latex/references.hpp"
#include "outputs/book_references.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"

namespace {

struct Referring {
    const IndexElement* element;
    bool starred;  // the element's line wrote this reference with "*"
};

// The live elements, in table order, whose references hold the problem with
// book number `n`. Built whole before anything is printed, so that duplicate
// diagnostics for `n` come before the names.
std::vector<Referring> elementsReferringTo(const Tables& tables, std::span<const BookReference> referring,
                                           std::int32_t n, Sink& console) {
    std::vector<Referring> list;
    for (const BookReference& r : referring) {
        ProblemRef problem = findProblemAmongRefs(tables.problems, 0, n, r.element->name, r.refs, 0, console);
        if (problem != nullptr) list.push_back({r.element, std::binary_search(r.starred.begin(), r.starred.end(), problem)});
    }
    return list;
}

void writeBlock(const Tables& tables, std::span<const BookReference> referring, std::int32_t n,
                const ProblemRecord& problem, Sink& out, Sink& console) {
    out += "\n\n\n";
    format(out, cp1251("\\subsection*{%d (условие стр. \\pageref{%s%dp}"), n, kStatementTarget, n);
    if (problem.nsFlag == 0) format(out, cp1251(", решение стр. \\pageref{%s%dp}"), kSolutionTarget, n);
    out += ")}\n";
    format(out,
           "\\raisebox{3\\baselineskip}[0pt][0pt]{\\hypertarget{rubrikator-%d-link}{}}\\par\\vskip-\\baselineskip\n",
           n);
    for (const Referring& r : elementsReferringTo(tables, referring, n, console)) {
        // The Russian-language elements have their own index.
        if (isRussianLanguageElement(*r.element)) continue;
        format(out, "\\noindent\\hyperlink{%s%d}{$\\bullet$}\\,", kElementTarget, r.element->id);
        if (r.starred) out += '*';
        format(out, "%s\\par\n", r.element->name);
    }
}

}  // namespace

std::int32_t computeMaxBookNumber(const Tables& tables, Sink& console) {
    std::int32_t maximum = 0;
    for (const ProblemRecord& problem : tables.problems) {
        if (problem.defined != 1) continue;
        std::int32_t number = numberInSource(&problem, 0);
        if (number > maximum) maximum = number;
    }
    format(console, cp1251("\n\nМаксимальный номер задачи в источнике %d равен %d"), 0, maximum);
    return maximum;
}

void printElementsByBookNumber(const Tables& tables, std::int32_t maxBookNumber, Sink& console) {
    BookReferences walk(tables.elements, tables.problems, maxBookNumber);
    for (std::int32_t n = 1; n <= maxBookNumber; ++n) {
        format(console, "\n\n\n%d:\n", n);
        for (const Referring& r : elementsReferringTo(tables, walk.next(), n, console))
            format(console, "%s\n", r.element->name);
    }
}

void writeRubricator(const Tables& tables, std::int32_t maxBookNumber, Sink& out, Sink& console) {
    BookReferences walk(tables.elements, tables.problems, maxBookNumber);
    for (std::int32_t n = 1; n <= maxBookNumber; ++n) {
        std::span<const BookReference> referring = walk.next();
        // A number that no problem or several problems carry gets no subsection.
        ProblemRef problem = findProblem(tables.problems, 0, n, 0);
        if (problem != nullptr) writeBlock(tables, referring, n, *problem, out, console);
    }
}
