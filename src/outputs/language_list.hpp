#pragma once
// "po_jazykam.tex": one paragraph per language, with links to the statements
// of its problems.

#include "elements/tables.hpp"
#include "text/format.hpp"

// The whole list: a paragraph for every language element but the categories,
// its references linked.
void writeLanguageList(const Tables& tables, Sink& out);
