#include "index/dumps.hpp"

#include <string>

#include "index/entry.hpp"
#include "latex/references.hpp"

void printElements(const ElementTable& table, Sink& console) {
    for (const IndexElement& element : table) {
        if (!isLive(element)) continue;
        format(console, "%s -- ", element.name);
        writeNumbersAndNote(everyReference(element, 0), writePlainNumber, element.note, console);
        console += '\n';
    }
}

void printElementsTex(const ElementTable& table, Sink& console) {
    for (const IndexElement& element : table) {
        if (!isLive(element)) continue;
        writeElementTarget(std::to_string(element.id), console);
        writeLinkedParagraph(element, console);
    }
}
