#pragma once
// Ordering the element table by name, merging equal names, ordering references.

#include <string>

#include "elements/element.hpp"
#include "text/format.hpp"

// Free elements after live ones; live ones by their names without the pairs
// "<<" and ">>", bytes as unsigned values.
int compareElements(const IndexElement& a, const IndexElement& b);

// Joins `merged` into `receiving` (references, starred references, notes) and
// traces it to log5. The caller clears `merged`.
void mergeElements(IndexElement& receiving, const IndexElement& merged, Bytes& log5);

// Orders a live element's references by book number, those without one last;
// equal ones keep their order.
void sortReferences(IndexElement& element);

enum class NumberForm { Plain, Linked };

// The references as the dumps and the language list show them: each book
// number, with "*" when starred (Linked: as a link to the statement), a lone
// "*" for a problem without one, ", " between them; then the note, after "; "
// when anything came before it.
void writeReferencesAndNote(const IndexElement& element, std::int32_t source, NumberForm form, Bytes& out);

// Console dumps of a live element, plain and in LaTeX form.
void printElement(const IndexElement& element, std::int32_t source, Bytes& console);
void printElementTex(const IndexElement& element, std::int32_t source, Bytes& console);

struct OrderingLogs {
    Bytes& log3;
    Bytes& log4;
    Bytes& log5;
};

// The whole stage: sort, merge pass by pass, order references, with its dumps.
// Once it has run, the writers find every element's references in order.
void orderElements(ElementTable& table, OrderingLogs logs, Bytes& console);
