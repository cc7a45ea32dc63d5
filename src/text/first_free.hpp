#pragma once
// The tables are created once with a record for every counted line; each
// accepted line takes the first free record.

#include <algorithm>
#include <cstddef>
#include <iterator>

// The first record of `table` from `firstFree` on that `isFree` accepts, or
// null when none is. `firstFree` moves up to it: no record before it is free,
// so the next search need not look at them again.
template <class Table, class IsFree>
auto firstFreeRecord(Table& table, std::size_t& firstFree, IsFree isFree) -> decltype(&*std::begin(table)) {
    auto free = std::find_if(std::begin(table) + static_cast<std::ptrdiff_t>(firstFree), std::end(table), isFree);
    firstFree = static_cast<std::size_t>(free - std::begin(table));
    return free == std::end(table) ? nullptr : &*free;
}
