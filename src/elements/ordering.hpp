#pragma once
// Ordering the element table by name, merging equal names, ordering references:
// the steps the driver takes one after the other.

#include "elements/element.hpp"
#include "elements/name_order.hpp"
#include "text/format.hpp"

// Free elements after live ones; live ones by the byte keys of their names.
int compareElements(const IndexElement& a, const IndexElement& b);

// Joins `merged` into `receiving` (references, starred references, notes) and
// traces it to log5. The caller clears `merged`.
void mergeElements(IndexElement& receiving, const IndexElement& merged, Sink& log5);

// One line per element in table order: its name, "null" for one that is not live.
void logNames(const ElementTable& table, Sink& log);

// By compareElements; equal ones keep their order.
void sortElements(ElementTable& table);

// Pass after pass, each traced to log5: merges every live element with an
// equal neighbour after it, then moves the freed ones last; ends after a pass
// that merged nothing. The table comes sorted by sortElements, so that the
// live ones stay sorted without another sort.
void mergeEqualNames(ElementTable& table, Sink& log5);

// With the Russian order, puts the live elements, merged already, in that
// order, free ones after them; the byte order leaves the table as it is.
void sortInNameOrder(ElementTable& table, NameOrder order);

// Orders a live element's references by book number, those without one last;
// equal ones keep their order. Once the table is done, the writers find every
// element's references in order.
void sortReferences(IndexElement& element);
void sortReferences(ElementTable& table);
