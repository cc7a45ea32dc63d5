#include "latex/references.hpp"

#include <string>

#include "text/numbers.hpp"

void writeProblemLink(Page page, std::string_view target, std::string_view shown, Sink& out) {
    format(out, "\\hyperlink{%s%s}{%s}", page == Page::Statement ? kStatementTarget : kSolutionTarget, target, shown);
}

std::vector<ListedReference> everyReference(const IndexElement& element, std::int32_t source) {
    std::vector<ListedReference> all;
    if (!isLive(element)) return all;
    all.reserve(element.zz.size());
    StarredSet starred = starredSet(element);
    for (ProblemRef problem : element.zz)
        if (problem != nullptr) all.push_back({numberInSource(problem, source), problem, starred.contains(problem)});
    return all;
}

std::vector<ListedReference> listedReferences(const IndexElement& element, std::int32_t source) {
    // Every writer asks it of every element: the list is built in one go.
    std::vector<ListedReference> listed;
    if (!isLive(element)) return listed;
    listed.reserve(element.zz.size());
    StarredSet starred = starredSet(element);
    for (ProblemRef problem : element.zz) {
        if (problem == nullptr) continue;
        const std::int32_t number = numberInSource(problem, source);
        if (number > 0 && (listed.empty() || listed.back().number != number))
            listed.push_back({number, problem, starred.contains(problem)});
    }
    return listed;
}

void writeNumberList(std::span<const ListedReference> numbers, const NumberSpelling& spell, Sink& out) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) out += ", ";
        spell(numbers[i], out);
    }
}

void writeNumbersAndNote(std::span<const ListedReference> numbers, const NumberSpelling& spell,
                         std::string_view note, Sink& out) {
    writeNumberList(numbers, spell, out);
    if (note.empty()) return;
    if (!numbers.empty()) out += "; ";
    format(out, "%s", note);
}

void writePlainNumber(const ListedReference& reference, Sink& out) {
    if (reference.number <= 0) {
        out += '*';
        return;
    }
    appendDecimal(out, reference.number);
    if (reference.starred) out += '*';
}

void writeLinkedNumber(const ListedReference& reference, Sink& out) {
    if (reference.number <= 0) return writePlainNumber(reference, out);
    // writeProblemLink with the plain number shown, piece by piece: the dumps write it for every reference.
    out += "\\hyperlink{";
    out += kStatementTarget;
    appendDecimal(out, reference.number);
    out += "}{";
    appendDecimal(out, reference.number);
    out += reference.starred ? "*}" : "}";
}

void writeLinkedParagraph(const IndexElement& element, Sink& out) {
    format(out, "%s\\mbox{$\\quad$}", element.name);
    writeNumbersAndNote(everyReference(element, 0), writeLinkedNumber, element.note, out);
    out += "\\par\n";
}
