#pragma once
// How every writer shows an element's references: the numbers it shows, the
// one writer of a list of them, and the links to a problem's pages.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "elements/element.hpp"
#include "problems/lookups.hpp"
#include "text/format.hpp"

// The names of the link targets the book's LaTeX defines, each followed by a
// number: a problem's statement page and solution page, and an element's
// entry in the full index (its id).
inline constexpr std::string_view kStatementTarget = "kvirtadoc-usl-";
inline constexpr std::string_view kSolutionTarget = "kvirtadoc-resh-";
inline constexpr std::string_view kElementTarget = "elementID-";

// The page of the book a link leads to.
enum class Page { Statement, Solution };

// "\hyperlink{kvirtadoc-usl-<target>}{<shown>}"; "kvirtadoc-resh-" for a solution.
void writeProblemLink(Page page, std::string_view target, std::string_view shown, Sink& out);

// One reference as a list shows it: the problem's number in the source (0 or
// less when it has none), the problem, and whether the element starred it.
struct ListedReference {
    std::int32_t number = 0;
    ProblemRef problem = nullptr;
    bool starred = false;
};

// Every reference of a live element in order, empty slots left out.
std::vector<ListedReference> everyReference(const IndexElement& element, std::int32_t source);

// The numbers an index entry shows: the positive ones, each once, at its first
// reference (`zz` is ordered by number). Empty for an element that is not live.
std::vector<ListedReference> listedReferences(const IndexElement& element, std::int32_t source);

// How one number of a list is written.
using NumberSpelling = std::function<void(const ListedReference& reference, Sink& out)>;

// The numbers, ", " between them.
void writeNumberList(std::span<const ListedReference> numbers, const NumberSpelling& spell, Sink& out);

// The numbers, then the note, after "; " when a number came before it.
void writeNumbersAndNote(std::span<const ListedReference> numbers, const NumberSpelling& spell,
                         std::string_view note, Sink& out);

// "12", "12*" when starred; a lone "*" for a problem without a number.
void writePlainNumber(const ListedReference& reference, Sink& out);

// The plain number as a link to the statement; a lone "*" stays as it is.
void writeLinkedNumber(const ListedReference& reference, Sink& out);

// The name, a gap, every reference linked and the note; then "\par".
void writeLinkedParagraph(const IndexElement& element, Sink& out);
