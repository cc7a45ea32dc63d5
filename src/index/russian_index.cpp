#include "index/russian_index.hpp"

#include "elements/categories.hpp"
#include "index/entry.hpp"

void writeRussianIndex(const Tables& tables, Sink& out) {
    writePreamble(Preamble::Standard, out);
    for (const IndexElement& element : tables.elements)
        if (element.name.starts_with(kRussianPrefix.view())) writeElementEntry(element, out, kRussianPrefix.size);
    writeClosing(Preamble::Standard, out);
}
