#pragma once
// "tabl_po_nomeram.tex": one table row per problem of the book, in book-number
// order (places, authors, pages, earlier publications), then the legend of sources.

#include <cstdint>
#include <string_view>
#include <vector>

#include "elements/tables.hpp"
#include "outputs/book_references.hpp"
#include "problems/lookups.hpp"
#include "text/format.hpp"

// The first used source entry of each source number that has an
// abbreviation, by number: every placement of every row looks its source up.
struct Abbreviated {
    std::int32_t source = 0;
    const SourceEntry* entry = nullptr;
};

// The table while its rows are written: the abbreviated sources, the
// duplicates the rows' lookups met, in their order, and a row's authors of
// each kind (kept from row to row so that their memory is reused).
struct TableByNumbers {
    std::vector<Abbreviated> abbreviated;
    std::vector<DuplicateLookup> duplicates;
    std::vector<std::string_view> statementAuthors;
    std::vector<std::string_view> solutionAuthors;
};

// Writes the head of the table and prepares for its rows.
TableByNumbers startTableByNumbers(const Tables& tables, Sink& out);

// The row of the listing's number, when exactly one problem has it.
void writeTableRow(TableByNumbers& table, const BookNumberListing& listing, Sink& out);

// The end of the table and the legend of the sources; the duplicates.
std::vector<DuplicateLookup> finishTableByNumbers(TableByNumbers& table, const Tables& tables, Sink& out);

// The whole table in a walk of its own; the duplicates the lookups met, in their order.
std::vector<DuplicateLookup> writeTableByNumbers(const Tables& tables, std::int32_t maxBookNumber, Sink& out);
