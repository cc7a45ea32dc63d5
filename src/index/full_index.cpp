#include "index/full_index.hpp"

#include "elements/categories.hpp"
#include "index/entry.hpp"

namespace {

void writeSubjectIndex(const Tables& tables, bool withLanguages, Sink& out) {
    writePreamble(Preamble::Standard, out);
    for (const IndexElement& element : tables.elements)
        if (!isCategory(element) && (withLanguages || !isLanguageElement(element)))
            writeElementEntry(element, out, 0);
    writeClosing(Preamble::Standard, out);
}

}  // namespace

void writeFullIndex(const Tables& tables, Sink& out) {
    writeSubjectIndex(tables, true, out);
}

void writeTermsIndex(const Tables& tables, Sink& out) {
    writeSubjectIndex(tables, false, out);
}
