#include "index/author_index.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "elements/categories.hpp"
#include "index/entry.hpp"
#include "text/cp1251.hpp"
#include "text/numbers.hpp"

namespace {

constexpr std::size_t kAuthorPrefixLength = kConditionAuthorPrefix.size;
static_assert(kSolutionAuthorPrefix.size == kAuthorPrefixLength);

constexpr std::string_view kParagraphEnd = "\n{\\hangindent=3\\parindent\\hangafter=1\\par}";

constexpr auto kConditionPlural = cp1251("условия");
constexpr auto kConditionSingular = cp1251("условие");
constexpr auto kSolutionPlural = cp1251("решения");
constexpr auto kSolutionSingular = cp1251("решение");

// One kind of authorship as the combined index writes it: its numbers link to `page`.
struct Authorship {
    std::string_view prefix;
    Page page;
    std::string_view plural;
    std::string_view singular;
};

constexpr Authorship kConditions{kConditionAuthorPrefix.view(), Page::Statement, kConditionPlural.view(),
                                 kConditionSingular.view()};
constexpr Authorship kSolutions{kSolutionAuthorPrefix.view(), Page::Solution, kSolutionPlural.view(),
                                kSolutionSingular.view()};

void writeSeparateIndex(const Tables& tables, std::string_view prefix, const SharedProblems& shared, Sink& out) {
    writePreamble(Preamble::Author, out);
    for (const IndexElement& element : tables.elements)
        if (element.name.starts_with(prefix)) writeAuthorEntry(shared, element, out, prefix.size(), true);
    writeClosing(Preamble::Author, out);
}

std::string_view authorName(const IndexElement& element) {
    return std::string_view(element.name).substr(kAuthorPrefixLength);
}

std::string_view wholeName(const IndexElement* element) {
    return element->name;
}

// An author's name as the combined index compares it; in the Russian order
// with its key, worked out once.
struct AuthorKey {
    std::string_view name;
    std::string russian;  // empty in byte order
};

// Byte order compares the names as they stand, as this index always has; the
// Russian order is the one the table is in, so that the condition authors,
// walked in table order, come in the order their bounds are searched by.
struct AuthorOrder {
    NameOrder order;

    AuthorKey keyOf(std::string_view name) const {
        return {name, order == NameOrder::Russian ? russianKey(name) : std::string()};
    }

    bool operator()(const AuthorKey& a, const AuthorKey& b) const {
        if (order == NameOrder::Bytewise) return a.name < b.name;
        return compareRussian(a.russian, a.name, b.russian, b.name) < 0;
    }
};

struct SolutionAuthor {
    AuthorKey key;
    const IndexElement* element;
};

// The author elements of both kinds by their whole names, table order among
// equal names: a person's elements of one kind are those named exactly the
// kind's prefix and the person's name, so that a name that continues another
// one is a person of its own. The solution authors also in the index's order.
struct AuthorElements {
    std::vector<const IndexElement*> byName;
    std::vector<SolutionAuthor> solutionAuthors;
};

AuthorElements collectAuthorElements(const ElementTable& elements, const AuthorOrder& order) {
    AuthorElements authors;
    for (const IndexElement& element : elements) {
        bool solution = element.name.starts_with(kSolutions.prefix);
        if (solution || element.name.starts_with(kConditions.prefix)) authors.byName.push_back(&element);
        if (solution) authors.solutionAuthors.push_back({order.keyOf(authorName(element)), &element});
    }
    std::ranges::stable_sort(authors.byName, {}, wholeName);
    std::ranges::stable_sort(authors.solutionAuthors, order, &SolutionAuthor::key);
    return authors;
}

std::vector<const IndexElement*> elementsOf(const AuthorElements& authors, const Authorship& kind,
                                            std::string_view person) {
    std::string key = std::string(kind.prefix).append(person);
    auto first = std::ranges::lower_bound(authors.byName, std::string_view(key), {}, wholeName);
    auto last = std::ranges::upper_bound(authors.byName, std::string_view(key), {}, wholeName);
    return {first, last};
}

bool showsNumbers(const AuthorElements& authors, std::string_view person) {
    for (const Authorship* kind : {&kConditions, &kSolutions})
        for (const IndexElement* element : elementsOf(authors, *kind, person))
            if (countListed(*element) > 0) return true;
    return false;
}

// The macros every paragraph of the kind redefines, worked out once: they
// are the same for all of them.
Bytes paragraphMacros(const Authorship& kind) {
    Sink macros;
    writeNumberMacros("renewcommand", kind.page, true, "", macros);
    return macros.text();
}

void writeParagraphs(const AuthorElements& authors, const SharedProblems& shared, const Authorship& kind,
                     std::string_view macros, std::string_view person, Sink& out) {
    for (const IndexElement* element : elementsOf(authors, kind, person)) {
        out += "\n\n";
        out += macros;
        out += '\n';
        out += countListed(*element) > 1 ? kind.plural : kind.singular;
        writeAuthorEntry(shared, *element, out, kAuthorPrefixLength, false);
        out += kParagraphEnd;
    }
}

struct CombinedIndex {
    const AuthorElements& authors;
    const SharedProblems& sharedConditions;
    const SharedProblems& sharedSolutions;
    Bytes conditionMacros;
    Bytes solutionMacros;
};

void writePerson(const CombinedIndex& index, std::string_view person, Sink& out) {
    if (!showsNumbers(index.authors, person)) return;
    out += "\n\n\n\\smallskip\\noindent";
    format(out, "{\\bf %s}\\nopagebreak", person);
    writeParagraphs(index.authors, index.sharedConditions, kConditions, index.conditionMacros, person, out);
    writeParagraphs(index.authors, index.sharedSolutions, kSolutions, index.solutionMacros, person, out);
}

// The solution authors whose names sort after `lastDone` (any name does
// before the first condition author) and, when given, before `upTo`, in table order.
std::vector<const IndexElement*> dueSolutionAuthors(const AuthorElements& authors, const AuthorOrder& order,
                                                    const std::optional<AuthorKey>& lastDone,
                                                    const std::optional<AuthorKey>& upTo) {
    const auto& sorted = authors.solutionAuthors;
    auto first = lastDone ? std::ranges::upper_bound(sorted, *lastDone, order, &SolutionAuthor::key) : sorted.begin();
    auto last = upTo ? std::ranges::lower_bound(sorted, *upTo, order, &SolutionAuthor::key) : sorted.end();
    if (last < first) last = first;  // the two bounds need not come in order
    std::vector<const IndexElement*> due;
    for (auto it = first; it != last; ++it) due.push_back(it->element);
    std::sort(due.begin(), due.end());  // the table is an array: addresses give table order
    return due;
}

}  // namespace

SharedProblems sharedProblems(const ElementTable& elements, std::string_view category) {
    std::vector<ProblemRef> referred;
    for (const IndexElement& element : elements) {
        if (!isLive(element) || !element.name.starts_with(category)) continue;
        // Each element's problems once, sorted where they stand rather than in a copy.
        const auto own = static_cast<std::ptrdiff_t>(referred.size());
        for (ProblemRef problem : element.zz)
            if (problem != nullptr && problem->defined == 1) referred.push_back(problem);
        std::sort(referred.begin() + own, referred.end());
        referred.erase(std::unique(referred.begin() + own, referred.end()), referred.end());
    }
    std::sort(referred.begin(), referred.end());
    SharedProblems shared;
    for (std::size_t i = 1; i < referred.size(); ++i)
        if (referred[i] == referred[i - 1] && (shared.empty() || shared.back() != referred[i]))
            shared.push_back(referred[i]);
    return shared;
}

void writeAuthorEntry(const SharedProblems& shared, const IndexElement& element, Sink& out, std::size_t prefixLength,
                      bool withHeading) {
    if (countListed(element) == 0) return;
    if (withHeading) writeEntryHeading(element, out, prefixLength);
    out += " \\x ";
    writeListed(element, 0, [&shared](const ListedReference& reference, Sink& list) {
        bool isShared = std::binary_search(shared.begin(), shared.end(), reference.problem);
        list += isShared ? "\\zsoavt{" : "\\z{";
        appendDecimal(list, reference.number);
        list += '}';
    }, out);
    if (withHeading) out += " \\par\n";
}

AuthorShares authorShares(const ElementTable& elements) {
    return {sharedProblems(elements, kConditions.prefix), sharedProblems(elements, kSolutions.prefix)};
}

void writeConditionAuthorIndex(const Tables& tables, const AuthorShares& shares, Sink& out) {
    writeSeparateIndex(tables, kConditionAuthorPrefix.view(), shares.conditions, out);
}

void writeSolutionAuthorIndex(const Tables& tables, const AuthorShares& shares, Sink& out) {
    writeSeparateIndex(tables, kSolutionAuthorPrefix.view(), shares.solutions, out);
}

void writeCombinedAuthorIndex(const Tables& tables, const AuthorShares& shares, NameOrder nameOrder, Sink& out) {
    const ElementTable& elements = tables.elements;
    const AuthorOrder order{nameOrder};
    AuthorElements authors = collectAuthorElements(elements, order);
    CombinedIndex index{authors, shares.conditions, shares.solutions, paragraphMacros(kConditions),
                        paragraphMacros(kSolutions)};
    writePreamble(Preamble::Blank, out);
    // Solution-only authors are slotted in before the first condition author
    // whose name sorts after theirs, the rest after the last one.
    std::optional<AuthorKey> lastDone;
    for (const IndexElement& current : elements) {
        if (!current.name.starts_with(kConditions.prefix)) continue;
        std::optional<AuthorKey> currentKey = order.keyOf(authorName(current));
        std::vector<const IndexElement*> people = dueSolutionAuthors(authors, order, lastDone, currentKey);
        people.insert(std::upper_bound(people.begin(), people.end(), &current), &current);
        for (const IndexElement* person : people) writePerson(index, authorName(*person), out);
        lastDone = std::move(currentKey);
    }
    for (const IndexElement* person : dueSolutionAuthors(authors, order, lastDone, std::nullopt))
        writePerson(index, authorName(*person), out);
    writeClosing(Preamble::Blank, out);
}
