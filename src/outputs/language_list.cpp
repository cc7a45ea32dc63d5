#include "outputs/language_list.hpp"

#include "elements/categories.hpp"
#include "latex/references.hpp"

void writeLanguageList(const Tables& tables, Sink& out) {
    // Category elements that happen to name a language stay out of the list.
    for (const IndexElement& element : tables.elements) {
        if (!isLanguageElement(element) || isCategory(element)) continue;
        out += "\\noindent ";
        writeLinkedParagraph(element, out);
    }
}
