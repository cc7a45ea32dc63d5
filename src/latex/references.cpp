#include "latex/references.hpp"

#include <algorithm>
#include <string_view>


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
    out += Decimal(reference.number).view();
    if (reference.starred) out += '*';
}

void writeLinkedNumber(const ListedReference& reference, Sink& out) {
    if (reference.number <= 0) return writePlainNumber(reference, out);
    // writeProblemLink with the plain number shown. The dumps write one for
    // every reference: the link is put together on the stack, its digits
    // worked out once, and goes to the sink in one piece.
    constexpr std::string_view kOpen = "\\hyperlink{kvirtadoc-usl-";
    static_assert(kOpen.ends_with(kStatementTarget));
    const Decimal number(reference.number);
    char link[kOpen.size() + 2 * sizeof number.digits + 4];
    char* at = std::copy(kOpen.begin(), kOpen.end(), link);
    at = std::copy_n(number.digits, number.size, at);
    *at++ = '}';
    *at++ = '{';
    at = std::copy_n(number.digits, number.size, at);
    if (reference.starred) *at++ = '*';
    *at++ = '}';
    out += std::string_view(link, static_cast<std::size_t>(at - link));
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
