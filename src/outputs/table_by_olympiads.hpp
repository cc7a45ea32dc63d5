#pragma once
// "tabl_po_olimpiadam.tex": the problems of the book laid out by olympiad
// (1 to 12, two rows "Н" and "В" each), round (1, 2) and slot (0 to 7).

#include <array>
#include <cstdint>

#include "elements/tables.hpp"
#include "text/format.hpp"

// The year of olympiad E is olympiadYears[E - 1]. Two olympiads fell in 1971
// and two in 1974, none in 1972.
inline constexpr std::array<std::int32_t, 12> olympiadYears = {1965, 1966, 1967, 1968, 1969, 1970,
                                                               1971, 1971, 1973, 1974, 1974, 1975};

void writeTableByOlympiads(const Tables& tables, std::int32_t maxBookNumber, Sink& out);
