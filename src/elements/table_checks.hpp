#pragma once
// What the tables as a whole tell an editor once the source is read: data a
// run takes but never shows. Warnings, each on the line of the source that
// gave it, whatever order the tables are in;
// `lines` are the source's lines as they stand in the file.

#include <string>
#include <vector>

#include "elements/element.hpp"
#include "elements/sources.hpp"
#include "problems/problem.hpp"
#include "text/findings.hpp"
#include "text/line_input.hpp"

// Problems without a book number or with one that another problem has too
// (neither is ever linked), and placements in a source that has no label
// (the table by numbers leaves them out).
void checkProblems(const ProblemTable& problems, const SourceTable& sources, const RawLines& lines,
                   Findings* findings);

// A language of the template's blocks, and where the template names it first.
struct BlockLanguage {
    std::string name;
    Location at;
};

// Language elements that no block of the template names, and blocks whose
// language begins no language element's name: a block takes the elements
// whose names begin with its language and a blank.
void checkLanguagesNamed(const ElementTable& elements, const std::vector<BlockLanguage>& languages,
                         const RawLines& lines, Findings* findings);
