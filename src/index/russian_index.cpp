#include "index/russian_index.hpp"

#include "elements/categories.hpp"
#include "elements/ordering.hpp"
#include "index/entry.hpp"

void writeRussianIndex(Tables& tables, Bytes& out) {
    writePreamble(Preamble::Standard, out);
    for (IndexElement& element : tables.elements) {
        if (!element.name.starts_with(kRussianPrefix.view())) continue;
        sortReferences(element);
        writeElementEntry(element, 0, out, kRussianPrefix.size);
    }
    writeClosing(Preamble::Standard, out);
}
