#include "outputs/language_list.hpp"

#include "elements/ordering.hpp"
#include "index/entry.hpp"
#include "text/cp1251.hpp"

void writeLanguageList(Tables& tables, Bytes& out, Bytes& console) {
    format(console, cp1251("\n=== СПИСОК ЯЗЫКОВ ===\n"));
    for (IndexElement& element : tables.elements) {
        if (!isLanguageElement(element)) continue;
        sortReferences(element);
        // Category elements that happen to name a language stay out of the list.
        if (!element.name.starts_with('=')) writeLanguageEntry(element, 0, out);
    }
}

void writeLanguageEntry(const IndexElement& element, std::int32_t source, Bytes& out) {
    if (element.actual == 0) return;
    format(out, "\\noindent %s\\mbox{$\\quad$}", element.name);
    int written = 0;
    for (ProblemRef problem : element.zz) {
        if (problem == nullptr) continue;
        if (written > 0) out += ", ";
        std::int32_t number = numberInSource(problem, source);
        if (number > 0) {
            format(out, "\\hyperlink{kvirtadoc-usl-%d}{%d", number, number);
            if (isStarred(element, problem)) out += '*';
            out += '}';
        } else {
            out += '*';  // a problem without a single book number still shows it is there
        }
        ++written;
    }
    if (!element.note.empty()) {
        if (written > 0) out += "; ";
        format(out, "%s", element.note);
    }
    out += "\\par\n";
}
