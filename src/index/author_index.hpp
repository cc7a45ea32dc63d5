#pragma once
// The author indexes: authors of statements, authors of solutions, and both
// together with one paragraph per kind of authorship.

#include <cstddef>
#include <cstdint>

#include "elements/tables.hpp"
#include "text/format.hpp"

// One author entry: numbers only, no stars and no note; "\zsoavt" for a problem
// that another author of the same category (the first `prefixLength` bytes of
// the name) also has. With `withHeading` the "\element" heading and " \par"
// surround it. Nothing at all when the element shows no number.
void writeAuthorEntry(const ElementTable& elements, const IndexElement& element, std::int32_t source, Bytes& out,
                      std::size_t prefixLength, bool withHeading);

// "=автор условия " elements, linked to the statements.
void writeConditionAuthorIndex(Tables& tables, Bytes& out);

// "=автор решения " elements, linked to the statements as well.
void writeSolutionAuthorIndex(Tables& tables, Bytes& out);

// Every author once, in name order, with a statements paragraph and a solutions
// paragraph, linked to the statements and to the solutions respectively. Relies
// on the order of references the writers before it left.
void writeCombinedAuthorIndex(const Tables& tables, Bytes& out);
