#include "outputs/language_list.hpp"

#include "elements/categories.hpp"
#include "elements/ordering.hpp"
#include "text/cp1251.hpp"

void writeLanguageList(const Tables& tables, Bytes& out, Bytes& console) {
    format(console, cp1251("\n=== СПИСОК ЯЗЫКОВ ===\n"));
    // Category elements that happen to name a language stay out of the list.
    for (const IndexElement& element : tables.elements)
        if (isLanguageElement(element) && !isCategory(element)) writeLanguageEntry(element, 0, out);
}

void writeLanguageEntry(const IndexElement& element, std::int32_t source, Bytes& out) {
    if (element.actual == 0) return;
    format(out, "\\noindent %s\\mbox{$\\quad$}", element.name);
    writeReferencesAndNote(element, source, NumberForm::Linked, out);
    out += "\\par\n";
}
