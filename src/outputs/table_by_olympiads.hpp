#pragma once
// "tabl_po_olimpiadam.tex": the problems of the book laid out by olympiad
// (one block of rows for each), round and slot, in the shape the run was
// given (olyindex.toml, or the first book's table: olympiads 1 to 12, rows
// "Н" and "В", two rounds of slots 0 to 7).

#include <cstdint>

#include "elements/table_shape.hpp"
#include "elements/tables.hpp"
#include "text/format.hpp"

void writeTableByOlympiads(const Tables& tables, const TableShape& shape, std::int32_t maxBookNumber, Sink& out);
