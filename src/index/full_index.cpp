#include "index/full_index.hpp"

#include "elements/categories.hpp"
#include "elements/ordering.hpp"
#include "index/entry.hpp"
#include "text/separator.hpp"

namespace {

void writeSubjectIndex(Tables& tables, bool withLanguages, Bytes& out, Bytes& console) {
    writePreamble(Preamble::Standard, out);
    for (IndexElement& element : tables.elements) {
        if (isCategory(element)) continue;
        sortReferences(element);
        if (withLanguages || !isLanguageElement(element)) writeElementEntry(element, 0, out, 0);
    }
    writeClosing(Preamble::Standard, out);
    console += kSeparator;
}

}  // namespace

void writeFullIndex(Tables& tables, Bytes& out, Bytes& console) {
    writeSubjectIndex(tables, true, out, console);
}

void writeTermsIndex(Tables& tables, Bytes& out, Bytes& console) {
    writeSubjectIndex(tables, false, out, console);
}
