#include "index/full_index.hpp"

#include "elements/categories.hpp"
#include "index/entry.hpp"
#include "text/separator.hpp"

namespace {

void writeSubjectIndex(const Tables& tables, bool withLanguages, Sink& out, Sink& console) {
    writePreamble(Preamble::Standard, out);
    for (const IndexElement& element : tables.elements)
        if (!isCategory(element) && (withLanguages || !isLanguageElement(element)))
            writeElementEntry(element, out, 0);
    writeClosing(Preamble::Standard, out);
    console += kSeparator;
}

}  // namespace

void writeFullIndex(const Tables& tables, Sink& out, Sink& console) {
    writeSubjectIndex(tables, true, out, console);
}

void writeTermsIndex(const Tables& tables, Sink& out, Sink& console) {
    writeSubjectIndex(tables, false, out, console);
}
