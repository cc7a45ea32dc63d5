#include "outputs/language_list.hpp"

#include "elements/categories.hpp"
#include "latex/references.hpp"
#include "text/cp1251.hpp"

void writeLanguageList(const Tables& tables, Sink& out, Sink& console) {
    format(console, cp1251("\n=== СПИСОК ЯЗЫКОВ ===\n"));
    // Category elements that happen to name a language stay out of the list.
    for (const IndexElement& element : tables.elements) {
        if (!isLanguageElement(element) || isCategory(element)) continue;
        out += "\\noindent ";
        writeLinkedParagraph(element, out);
    }
}
