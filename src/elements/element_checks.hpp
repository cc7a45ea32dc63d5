#pragma once
// What a run takes from an accepted element line but then drops or alters
// without a word: warnings for the editor, each on its line.

#include <string_view>

#include "elements/element.hpp"
#include "elements/table_shape.hpp"
#include "text/findings.hpp"
#include "text/line_input.hpp"

// The element just parsed from `line`: a name that begins with "=" but with
// no category, a place at an olympiad that lands in no cell of the table by
// olympiads of this shape, text that a section without numbers ignores.
void checkElementLine(const IndexElement& element, const SourceLine& line, const TableShape& shape, Findings* findings);

// An accepted element line with free text after a reference: the note
// prints after all the numbers, with what stood between them ("2, 4; , см.
// также X").
void checkNotePlacement(const IndexElement& element, const SourceLine& line, Findings* findings);

// How the element's references and note print in an index entry: the book
// numbers in order, each once, "*" where the first reference to it is
// starred, then "; " and the note.
Bytes printedReferences(const IndexElement& element);
