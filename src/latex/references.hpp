#pragma once
// How every writer shows an element's references: the numbers it shows, the
// one writer of a list of them, and the links to a problem's pages.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "elements/element.hpp"
#include "problems/lookups.hpp"
#include "text/format.hpp"

// The names of the link targets the book's LaTeX defines, each followed by a
// number: a problem's statement page and solution page, and an element's
// entry in the full index (its id).
inline constexpr std::string_view kStatementTarget = "kvirtadoc-usl-";
inline constexpr std::string_view kSolutionTarget = "kvirtadoc-resh-";
inline constexpr std::string_view kElementTarget = "elementID-";

// A number's decimal digits, worked out once for a text that shows it
// several times (a link and what it shows, a heading and its targets).
struct Decimal {
    explicit Decimal(std::int32_t value)
        : size(static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits)) {}
    std::string_view view() const { return {digits, size}; }

    char digits[12];
    std::size_t size;
};

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

// Whether the element starred a problem. The lists ask it of every reference:
// most elements star a few problems, searched in place; an element with many
// has them sorted once.
struct StarredLookup {
    explicit StarredLookup(const IndexElement& element);
    bool operator()(ProblemRef problem) const;

    const IndexElement& element;
    bool sorted = false;
    StarredSet set;
};

// Hands `visit` every reference of a live element in order, empty slots left out.
template <class Visit>
void forEachReference(const IndexElement& element, std::int32_t source, Visit visit) {
    if (!isLive(element)) return;
    StarredLookup starred(element);
    for (ProblemRef problem : element.zz)
        if (problem != nullptr) visit(ListedReference{numberInSource(problem, source), problem, starred(problem)});
}

// Hands `visit` the numbers an index entry shows: the positive ones, each once,
// at its first reference (`zz` is ordered by number). None for an element that
// is not live. Every writer asks it of every element, so no list is built.
template <class Visit>
void forEachListed(const IndexElement& element, std::int32_t source, Visit visit) {
    if (!isLive(element)) return;
    StarredLookup starred(element);
    std::int32_t previous = 0;
    for (ProblemRef problem : element.zz) {
        if (problem == nullptr) continue;
        const std::int32_t number = numberInSource(problem, source);
        if (number <= 0 || number == previous) continue;
        previous = number;
        visit(ListedReference{number, problem, starred(problem)});
    }
}

// How many numbers the entry shows.
std::size_t countListed(const IndexElement& element);

// The numbers the entry shows, each spelled by `spell`, ", " between them;
// `written` numbers of the same list came before. Returns how many the list
// holds now.
template <class Spell>
std::size_t writeListed(const IndexElement& element, std::int32_t source, Spell spell, Sink& out,
                        std::size_t written = 0) {
    forEachListed(element, source, [&](const ListedReference& reference) {
        if (written++ > 0) out += ", ";
        spell(reference, out);
    });
    return written;
}

// The note, after "; " when a number came before it.
void writeNote(std::string_view note, bool afterNumbers, Sink& out);

// "12", "12*" when starred; a lone "*" for a problem without a number.
void writePlainNumber(const ListedReference& reference, Sink& out);

// The plain number as a link to the statement; a lone "*" stays as it is.
void writeLinkedNumber(const ListedReference& reference, Sink& out);

// The name, a gap, every reference linked and the note; then "\par".
void writeLinkedParagraph(const IndexElement& element, Sink& out);
