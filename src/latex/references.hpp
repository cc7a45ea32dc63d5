#pragma once
// How every writer shows an element's references: the numbers it shows, the
// one writer of a list of them, and the links to a problem's pages.

#include <algorithm>
#include <array>
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
// has them sorted once. Inline: a search of a few is cheaper than the call.
struct StarredLookup {
    explicit StarredLookup(const IndexElement& element);
    bool operator()(ProblemRef problem) const {
        if (sorted) return set.contains(problem);
        // A plain loop rather than std::find, whose unrolled body keeps the
        // lookup from being inlined into the walks.
        for (ProblemRef p : starred)
            if (p == problem) return true;
        return false;
    }

    std::span<const ProblemRef> starred;  // searched in place when not sorted
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

// The room spellPlainNumber and spellLinkedNumber need, with a separator before.
inline constexpr std::size_t kSpelledNumberRoom = 64;

// "00" to "99", so that a number below 10000 is spelled with one division.
inline constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// A positive number's digits put at `at`; returns their end. Book numbers have
// up to four digits, spelled inline from the pairs: the library's general path
// is a call per number, and the dumps spell every reference.
inline char* spellPositive(std::int32_t value, char* at) {
    if (value >= 10000) return std::to_chars(at, at + sizeof Decimal::digits, value).ptr;
    const auto number = static_cast<std::uint32_t>(value);
    const std::uint32_t high = 2 * (number / 100);
    const std::uint32_t low = 2 * (number % 100);
    if (number >= 1000) *at++ = kDigitPairs[high];
    if (number >= 100) *at++ = kDigitPairs[high + 1];
    if (number >= 10) *at++ = kDigitPairs[low];
    *at++ = kDigitPairs[low + 1];
    return at;
}

// "12", "12*" when starred; a lone "*" for a problem without a number. Put at
// `at`, whose end it returns: a list puts its separator and the number
// together and hands them to the sink in one piece.
inline char* spellPlainNumber(const ListedReference& reference, char* at) {
    if (reference.number <= 0) {
        *at = '*';
        return at + 1;
    }
    at = spellPositive(reference.number, at);
    if (reference.starred) *at++ = '*';
    return at;
}

// The plain number as a link to the statement; a lone "*" stays as it is.
// writeProblemLink with the plain number shown, its digits worked out once.
inline char* spellLinkedNumber(const ListedReference& reference, char* at) {
    if (reference.number <= 0) return spellPlainNumber(reference, at);
    constexpr std::string_view kOpen = "\\hyperlink{kvirtadoc-usl-";
    static_assert(kOpen.ends_with(kStatementTarget));
    static_assert(kSpelledNumberRoom >= 2 + kOpen.size() + 2 * sizeof Decimal::digits + 4);
    at = std::copy(kOpen.begin(), kOpen.end(), at);
    char* const digits = at;
    at = spellPositive(reference.number, at);
    const auto size = static_cast<std::size_t>(at - digits);
    *at++ = '}';
    *at++ = '{';
    at = std::copy_n(digits, size, at);
    if (reference.starred) *at++ = '*';
    *at++ = '}';
    return at;
}

// The spelled number written to `out`.
void writePlainNumber(const ListedReference& reference, Sink& out);
void writeLinkedNumber(const ListedReference& reference, Sink& out);

// The name, a gap, every reference linked and the note; then "\par".
void writeLinkedParagraph(const IndexElement& element, Sink& out);
