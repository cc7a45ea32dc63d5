#include "index/author_index.hpp"

#include <optional>
#include <string>
#include <string_view>

#include "elements/ordering.hpp"
#include "index/entry.hpp"
#include "text/cp1251.hpp"

namespace {

constexpr std::size_t kAuthorPrefixLength = kConditionAuthorPrefix.size;
static_assert(kSolutionAuthorPrefix.size == kAuthorPrefixLength);

constexpr std::string_view kConditionLinks =
    "\n\n\\renewcommand{\\z}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1}}"
    "\\renewcommand{\\zsoavt}[1]{\\hyperlink{kvirtadoc-usl-#1}{(#1)}}"
    "\\renewcommand{\\zz}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1*}}\n";
constexpr std::string_view kSolutionLinks =
    "\n\n\\renewcommand{\\z}[1]{\\hyperlink{kvirtadoc-resh-#1}{#1}}"
    "\\renewcommand{\\zsoavt}[1]{\\hyperlink{kvirtadoc-resh-#1}{(#1)}}"
    "\\renewcommand{\\zz}[1]{\\hyperlink{kvirtadoc-resh-#1}{#1*}}\n";
constexpr std::string_view kParagraphEnd = "\n{\\hangindent=3\\parindent\\hangafter=1\\par}";

// One kind of authorship as the combined index writes it.
struct Authorship {
    std::string_view prefix;
    std::string_view links;
    std::string_view plural;
    std::string_view singular;
};

constexpr auto kConditionPlural = cp1251("условия");
constexpr auto kConditionSingular = cp1251("условие");
constexpr auto kSolutionPlural = cp1251("решения");
constexpr auto kSolutionSingular = cp1251("решение");

constexpr Authorship kConditions{kConditionAuthorPrefix.view(), kConditionLinks, kConditionPlural.view(),
                                 kConditionSingular.view()};
constexpr Authorship kSolutions{kSolutionAuthorPrefix.view(), kSolutionLinks, kSolutionPlural.view(),
                                kSolutionSingular.view()};

bool isShared(const ElementTable& elements, const IndexElement& element, ProblemRef problem,
              std::string_view category) {
    if (problem->defined != 1) return false;
    for (const IndexElement& other : elements)
        if (&other != &element && other.actual == 1 && other.name.starts_with(category) && refersTo(other, problem))
            return true;
    return false;
}

void writeSeparateIndex(Tables& tables, std::string_view prefix, Bytes& out) {
    writePreamble(Preamble::Author, out);
    for (IndexElement& element : tables.elements) {
        if (!element.name.starts_with(prefix)) continue;
        sortReferences(element);
        writeAuthorEntry(tables.elements, element, 0, out, prefix.size(), true);
    }
    writeClosing(Preamble::Author, out);
}

std::string_view authorName(const IndexElement& element) {
    return std::string_view(element.name).substr(kAuthorPrefixLength);
}

// A person's elements of one kind: exactly the prefix and the name, so that
// a name that continues another one is a person of its own.
bool isElementOf(const IndexElement& element, const Authorship& kind, std::string_view person) {
    std::string_view name = element.name;
    return name.size() == kind.prefix.size() + person.size() && name.starts_with(kind.prefix) &&
           name.ends_with(person);
}

int personTotal(const ElementTable& elements, std::string_view person) {
    int total = 0;
    for (const IndexElement& element : elements)
        if (isElementOf(element, kConditions, person) || isElementOf(element, kSolutions, person))
            total += countReferences(element, 0);
    return total;
}

void writeParagraphs(const ElementTable& elements, const Authorship& kind, std::string_view person, Bytes& out) {
    for (const IndexElement& element : elements) {
        if (!isElementOf(element, kind, person)) continue;
        out += kind.links;
        out += countReferences(element, 0) > 1 ? kind.plural : kind.singular;
        writeAuthorEntry(elements, element, 0, out, kAuthorPrefixLength, false);
        out += kParagraphEnd;
    }
}

void writePerson(const ElementTable& elements, std::string_view person, Bytes& out) {
    if (personTotal(elements, person) == 0) return;
    out += "\n\n\n\\smallskip\\noindent";
    format(out, "{\\bf %s}\\nopagebreak", person);
    writeParagraphs(elements, kConditions, person, out);
    writeParagraphs(elements, kSolutions, person, out);
}

// A solution author not yet written: the name sorts after the last condition
// author done (any name does before the first) and, when given, before `upTo`.
bool isSolutionAuthorDue(const IndexElement& element, const std::optional<std::string>& lastDone,
                         const std::optional<std::string_view>& upTo) {
    if (!element.name.starts_with(kSolutionAuthorPrefix.view())) return false;
    std::string_view name = authorName(element);
    return (!lastDone || name > *lastDone) && (!upTo || name < *upTo);
}

}  // namespace

void writeAuthorEntry(const ElementTable& elements, const IndexElement& element, std::int32_t source, Bytes& out,
                      std::size_t prefixLength, bool withHeading) {
    std::vector<ListedReference> listed = listedReferences(element, source);
    if (listed.empty()) return;
    if (withHeading) writeEntryHeading(element, out, prefixLength);
    out += " \\x ";
    std::string_view category = std::string_view(element.name).substr(0, prefixLength);
    bool first = true;
    for (const ListedReference& ref : listed) {
        if (!first) out += ", ";
        out += isShared(elements, element, ref.problem, category) ? "\\zsoavt" : "\\z";
        format(out, "{%d}", ref.number);
        first = false;
    }
    if (withHeading) out += " \\par\n";
}

void writeConditionAuthorIndex(Tables& tables, Bytes& out) {
    writeSeparateIndex(tables, kConditionAuthorPrefix.view(), out);
}

void writeSolutionAuthorIndex(Tables& tables, Bytes& out) {
    writeSeparateIndex(tables, kSolutionAuthorPrefix.view(), out);
}

void writeCombinedAuthorIndex(const Tables& tables, Bytes& out) {
    const ElementTable& elements = tables.elements;
    writePreamble(Preamble::Blank, out);
    // Solution-only authors are slotted in before the first condition author
    // whose name sorts after theirs, the rest after the last one.
    std::optional<std::string> lastDone;
    for (const IndexElement& current : elements) {
        if (!current.name.starts_with(kConditionAuthorPrefix.view())) continue;
        std::string_view currentName = authorName(current);
        for (const IndexElement& element : elements) {
            if (&element == &current) writePerson(elements, currentName, out);
            else if (isSolutionAuthorDue(element, lastDone, currentName)) writePerson(elements, authorName(element), out);
        }
        lastDone = std::string(currentName);
    }
    for (const IndexElement& element : elements)
        if (isSolutionAuthorDue(element, lastDone, std::nullopt)) writePerson(elements, authorName(element), out);
    writeClosing(Preamble::Blank, out);
}
