#include "index/dumps.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "index/entry.hpp"
#include "latex/references.hpp"
#include "text/numbers.hpp"

namespace {

// A text as "%s" shows it: up to its first zero byte.
std::string_view shownText(std::string_view text) {
    const void* zero = std::memchr(text.data(), '\0', text.size());
    return zero == nullptr ? text : text.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - text.data()));
}

// Whether the element starred the problem. The dumps ask for every reference of
// every element: most hold a few starred ones, searched in place; an element
// with many gets them sorted once.
struct StarLookup {
    const IndexElement& element;
    bool sorted = false;
    StarredSet set;

    explicit StarLookup(const IndexElement& e) : element(e) {
        if (e.zz_.size() > 16) {
            set = starredSet(e);
            sorted = true;
        }
    }
    bool operator()(ProblemRef problem) const {
        if (sorted) return set.contains(problem);
        return std::find(element.zz_.begin(), element.zz_.end(), problem) != element.zz_.end();
    }
};

// Every reference of the element spelled by `spell` (writePlainNumber or
// writeLinkedNumber, called directly), ", " between them, then its note, after
// "; " when a reference came before it.
template <class Spell>
void writeReferencesAndNote(const IndexElement& element, Spell spell, Sink& out) {
    StarLookup starred(element);
    bool first = true;
    for (ProblemRef problem : element.zz) {
        if (problem == nullptr) continue;
        if (!first) out += ", ";
        first = false;
        spell(ListedReference{numberInSource(problem, 0), problem, starred(problem)}, out);
    }
    if (element.note.empty()) return;
    if (!first) out += "; ";
    out += shownText(element.note);
}

}  // namespace

// Both dumps print every reference of the table: no list of them is built,
// and each number is spelled without the writers' general forms.
void printElements(const ElementTable& table, Sink& console) {
    for (const IndexElement& element : table) {
        if (!isLive(element)) continue;
        console += shownText(element.name);
        console += " -- ";
        writeReferencesAndNote(element, writePlainNumber, console);
        console += '\n';
    }
}

void printElementsTex(const ElementTable& table, Sink& console) {
    for (const IndexElement& element : table) {
        if (!isLive(element)) continue;
        writeElementTarget(std::to_string(element.id), console);
        console += shownText(element.name);
        console += "\\mbox{$\\quad$}";
        writeReferencesAndNote(element, writeLinkedNumber, console);
        console += "\\par\n";
    }
}
