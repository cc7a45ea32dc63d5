#pragma once
// What the tables as a whole tell an editor once the source is read: data a
// run takes but never shows. Warnings, each on the line of the source that
// gave it.

#include <string>
#include <vector>

#include "elements/element.hpp"
#include "elements/sources.hpp"
#include "problems/problem.hpp"
#include "text/findings.hpp"

// The line of each record of a table (0: the record holds no line).
using SourceLines = std::vector<long>;

// Problems without a book number or with one that another problem has too
// (neither is ever linked), and placements in a source that has no label
// (the table by numbers leaves them out).
void checkProblems(const ProblemTable& problems, const SourceLines& problemLines, const SourceTable& sources,
                   Findings* findings);

// A language of the template's blocks, and the line of the template that names it.
struct BlockLanguage {
    std::string_view name;
    long line = 0;
};

// Language elements that no block of the template names, and blocks whose
// language begins no language element's name: a block takes the elements
// whose names begin with its language and a blank.
void checkLanguagesNamed(const ElementTable& elements, const SourceLines& elementLines,
                         const std::vector<BlockLanguage>& languages, Findings* findings);
