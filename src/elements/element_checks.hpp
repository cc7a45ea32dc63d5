#pragma once
// What a run takes from an accepted element line but then drops or alters
// without a word: warnings for the editor, each on its line.

#include <string_view>

#include "elements/element.hpp"
#include "text/findings.hpp"
#include "text/line_input.hpp"

// The element just parsed from `line`: a name that begins with "=" but with
// no category, a place at an olympiad that lands in no cell of the table by
// olympiads, text that a section without numbers ignores.
void checkElementLine(const IndexElement& element, const SourceLine& line, Findings* findings);
