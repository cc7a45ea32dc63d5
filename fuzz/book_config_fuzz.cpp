// Any bytes as olyindex.toml: every fault is a finding with a place in the
// file, and a file without faults gives a shape within its bounds, whose
// table is then written for a small book.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "driver/book_config.hpp"
#include "elements/tables.hpp"
#include "outputs/table_by_olympiads.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Findings findings;
    BookConfig config = loadBookConfig(std::string_view(reinterpret_cast<const char*>(data), size), &findings);
    for (const Finding& f : findings)
        if (f.file != InFile::Config || f.line < 1 || f.firstColumn < 1 || f.lastColumn < f.firstColumn) std::abort();
    const TableShape& shape = config.table;
    if (!findings.empty() && !(shape == TableShape{})) std::abort();
    bool bounded = shape.olympiads() >= 1 && shape.olympiads() <= kMaxOlympiads && shape.rounds() >= 1 &&
                   shape.rounds() <= kMaxRounds && shape.slots >= 1 && shape.slots <= kMaxSlots &&
                   !shape.rows.empty() && static_cast<std::int32_t>(shape.rows.size()) <= kMaxRows;
    if (!bounded) std::abort();
    for (const Bytes& row : shape.rows)
        if (row.empty()) std::abort();
    Tables tables;
    Sink out;
    writeTableByOlympiads(tables, shape, 0, out);
    return 0;
}
