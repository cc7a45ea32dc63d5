#pragma once
// The console dumps of the element table between the ordering steps: every
// live element with all its references and its note.

#include "elements/element.hpp"
#include "text/format.hpp"

// "name -- 3, 12*, *; note": a star after a starred number, a lone star for a
// problem without a book number.
void printElements(const ElementTable& table, Sink& console);

// The same as LaTeX paragraphs, each element's target ahead of its name and
// the numbers linked to the statements.
void printElementsTex(const ElementTable& table, Sink& console);
