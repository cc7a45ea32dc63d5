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
#include "text/numbers.hpp"

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

// The pieces of a block's heading around its number.
constexpr auto kStatementPage = cp1251(" (условие стр. \\pageref{");
constexpr auto kSolutionPage = cp1251(", решение стр. \\pageref{");

// The subsection of the number with its pages, and the target that the table
// by numbers links to. The number is spelled once for its five places.
void writeBlockHeading(std::int32_t n, const ProblemRecord& problem, Sink& out) {
    const Decimal decimal(n);
    const std::string_view number = decimal.view();
    out += "\n\n\n\\subsection*{";
    out += number;
    out += kStatementPage.view();
    out += kStatementTarget;
    out += number;
    out += "p}";
    if (problem.nsFlag == 0) {
        out += kSolutionPage.view();
        out += kSolutionTarget;
        out += number;
        out += "p}";
    }
    out += ")}\n\\raisebox{3\\baselineskip}[0pt][0pt]{\\hypertarget{rubrikator-";
    out += number;
    out += "-link}{}}\\par\\vskip-\\baselineskip\n";
}

// A line for every referring element; a line is written for every reference
// of the book, so it is put together from pieces rather than formatted.
void writeBlock(std::span<const BookReference> referring, std::int32_t n, const ProblemRecord& problem, Sink& out,
                std::vector<Referring>& list, std::vector<DuplicateLookup>& duplicates) {
    writeBlockHeading(n, problem, out);
    list.clear();
    elementsReferringTo(referring, n, list, duplicates);
    for (const Referring& r : list) {
        // The Russian-language elements have their own index.
        if (isRussianLanguageElement(*r.element)) continue;
        out += "\\noindent\\hyperlink{";
        out += kElementTarget;
        appendDecimal(out, r.element->id);
        out += r.starred ? "}{$\\bullet$}\\,*" : "}{$\\bullet$}\\,";
        out += r.element->name;
        out += "\\par\n";
    }
}

}  // namespace

std::int32_t computeMaxBookNumber(const Tables& tables) {
    std::int32_t maximum = 0;
    for (const ProblemRecord& problem : tables.problems) {
        if (problem.defined != 1) continue;
        std::int32_t number = numberInSource(&problem, 0);
        if (number > maximum) maximum = number;
    }
    return maximum;
}

void listElementsByBookNumber(const Tables& tables, std::int32_t maxBookNumber,
                              const std::function<void(const BookNumberListing&)>& visit) {
    BookReferences walk(tables.elements, tables.problems, maxBookNumber);
    // One listing, emptied for every number, so that its memory is reused.
    BookNumberListing listing;
    for (std::int32_t n = 1; n <= maxBookNumber; ++n) {
        listing.number = n;
        listing.elements.clear();
        listing.duplicates.clear();
        elementsReferringTo(walk.next(), n, listing.elements, listing.duplicates);
        visit(listing);
    }
}

std::vector<DuplicateLookup> writeRubricator(const Tables& tables, std::int32_t maxBookNumber, Sink& out) {
    BookReferences walk(tables.elements, tables.problems, maxBookNumber);
    std::vector<Referring> list;
    std::vector<DuplicateLookup> duplicates;
    for (std::int32_t n = 1; n <= maxBookNumber; ++n) {
        std::span<const BookReference> referring = walk.next();
        // A number that no problem or several problems carry gets no subsection.
        ProblemRef problem = findProblem(tables.problems, 0, n, 0);
        if (problem != nullptr) writeBlock(referring, n, *problem, out, list, duplicates);
    }
    return duplicates;
}
