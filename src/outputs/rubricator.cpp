#include "outputs/rubricator.hpp"

#include <string_view>
#include <vector>

#include "elements/categories.hpp"
#include "latex/references.hpp"
#include "outputs/book_references.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/numbers.hpp"

namespace {

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

void writeRubricatorBlock(const BookNumberListing& listing, Sink& out, std::vector<DuplicateLookup>& duplicates) {
    // A number that no problem or several problems carry gets no subsection.
    if (listing.problem == nullptr) return;
    writeBlockHeading(listing.number, *listing.problem, out);
    duplicates.insert(duplicates.end(), listing.duplicates.begin(), listing.duplicates.end());
    // A line for every referring element, and so for every reference of the
    // book: put together from pieces rather than formatted.
    for (const Referring& r : listing.elements) {
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

std::vector<DuplicateLookup> writeRubricator(const Tables& tables, std::int32_t maxBookNumber, Sink& out) {
    std::vector<DuplicateLookup> duplicates;
    listElementsByBookNumber(tables, maxBookNumber,
                             [&](const BookNumberListing& listing) { writeRubricatorBlock(listing, out, duplicates); });
    return duplicates;
}
