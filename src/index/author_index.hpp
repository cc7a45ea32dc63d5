#pragma once
// The author indexes: authors of statements, authors of solutions, and both
// together with one paragraph per kind of authorship.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "elements/name_order.hpp"
#include "elements/tables.hpp"
#include "text/format.hpp"

// The defined problems that two or more live elements of one category (names
// beginning with it) refer to, sorted: each of those authors shares them.
using SharedProblems = std::vector<ProblemRef>;
SharedProblems sharedProblems(const ElementTable& elements, std::string_view category);

// One author entry: book numbers only, no stars and no note; "\zsoavt" for a shared
// problem of the element's category. With `withHeading` the "\element" heading
// and " \par" surround it. Nothing at all when the element shows no number.
void writeAuthorEntry(const SharedProblems& shared, const IndexElement& element, Sink& out, std::size_t prefixLength,
                      bool withHeading);

// The shared problems of both kinds of authors, worked out once for the
// three author indexes, which all mark them.
struct AuthorShares {
    SharedProblems conditions;
    SharedProblems solutions;
};
AuthorShares authorShares(const ElementTable& elements);

// "=автор условия " elements, linked to the statements.
void writeConditionAuthorIndex(const Tables& tables, const AuthorShares& shares, Sink& out);

// "=автор решения " elements, linked to the statements as well.
void writeSolutionAuthorIndex(const Tables& tables, const AuthorShares& shares, Sink& out);

// Every author once, in name order, with a statements paragraph and a solutions
// paragraph, linked to the statements and to the solutions respectively. The
// condition authors come in table order, the others slotted in among them by
// `order`, which must be the one the table is in.
void writeCombinedAuthorIndex(const Tables& tables, const AuthorShares& shares, NameOrder order, Sink& out);
