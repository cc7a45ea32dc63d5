#include "latex/references.hpp"

#include <algorithm>
#include <string_view>


void writeProblemLink(Page page, std::string_view target, std::string_view shown, Sink& out) {
    format(out, "\\hyperlink{%s%s}{%s}", page == Page::Statement ? kStatementTarget : kSolutionTarget, target, shown);
}

StarredLookup::StarredLookup(const IndexElement& e) : starred(e.zz_) {
    if (e.zz_.size() > 16) {
        set = starredSet(e);
        sorted = true;
    }
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
    char spelled[kSpelledNumberRoom];
    out += std::string_view(spelled, static_cast<std::size_t>(spellPlainNumber(reference, spelled) - spelled));
}

void writeLinkedNumber(const ListedReference& reference, Sink& out) {
    char spelled[kSpelledNumberRoom];
    out += std::string_view(spelled, static_cast<std::size_t>(spellLinkedNumber(reference, spelled) - spelled));
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
