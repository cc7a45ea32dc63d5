#include "latex/references.hpp"

#include <algorithm>

#include "text/numbers.hpp"

void writeProblemLink(Page page, std::string_view target, std::string_view shown, Sink& out) {
    format(out, "\\hyperlink{%s%s}{%s}", page == Page::Statement ? kStatementTarget : kSolutionTarget, target, shown);
}

StarredLookup::StarredLookup(const IndexElement& e) : element(e) {
    if (e.zz_.size() > 16) {
        set = starredSet(e);
        sorted = true;
    }
}

bool StarredLookup::operator()(ProblemRef problem) const {
    if (sorted) return set.contains(problem);
    return std::find(element.zz_.begin(), element.zz_.end(), problem) != element.zz_.end();
}

std::size_t countListed(const IndexElement& element) {
    std::size_t count = 0;
    forEachListed(element, 0, [&count](const ListedReference&) { ++count; });
    return count;
}

void writeNote(std::string_view note, bool afterNumbers, Sink& out) {
    if (note.empty()) return;
    if (afterNumbers) out += "; ";
    out += note;
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
    // writeProblemLink with the plain number shown, piece by piece and the
    // digits worked out once: the dumps write it for every reference.
    const Decimal number(reference.number);
    out += "\\hyperlink{";
    out += kStatementTarget;
    out += number.view();
    out += "}{";
    out += number.view();
    out += reference.starred ? "*}" : "}";
}

void writeLinkedParagraph(const IndexElement& element, Sink& out) {
    out += element.name;
    out += "\\mbox{$\\quad$}";
    bool any = false;
    forEachReference(element, 0, [&](const ListedReference& reference) {
        if (any) out += ", ";
        any = true;
        writeLinkedNumber(reference, out);
    });
    writeNote(element.note, any, out);
    out += "\\par\n";
}
