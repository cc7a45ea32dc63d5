#pragma once
// The shape of the table by olympiads: the olympiads, rounds, slots and row
// letters it has cells for. The run holds one such value, the defaults or
// what olyindex.toml says, and hands it to the table and to the check of
// place designations, so that both see the same cells.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/cp1251.hpp"
#include "text/sink.hpp"

// The genitive ordinals that name rounds 1 to 4 when the file names none; a
// table has at most this many rounds, and at most kMaxRows row letters.
namespace ordinals {
inline constexpr auto kFirst = cp1251("первого тура");
inline constexpr auto kSecond = cp1251("второго тура");
inline constexpr auto kThird = cp1251("третьего тура");
inline constexpr auto kFourth = cp1251("четвёртого тура");
}  // namespace ordinals
inline constexpr std::array<std::string_view, 4> kRoundOrdinals = {ordinals::kFirst.view(), ordinals::kSecond.view(),
                                                                   ordinals::kThird.view(), ordinals::kFourth.view()};
inline constexpr std::int32_t kMaxRounds = static_cast<std::int32_t>(kRoundOrdinals.size());
inline constexpr std::int32_t kMaxRows = 4;

// Texts in code page 1251. The counts are the sizes of the lists, so no count
// can disagree with its list.
struct TableShape {
    // "(%s)" in the block of each olympiad: olympiads 1 to years.size(). Two
    // olympiads of the first book fell in 1971 and two in 1974, none in 1972.
    std::vector<Bytes> years = {"1965", "1966", "1967", "1968", "1969", "1970",
                                "1971", "1971", "1973", "1974", "1974", "1975"};
    // The header of each round's columns: rounds 1 to roundNames.size().
    std::vector<Bytes> roundNames = {Bytes(kRoundOrdinals[0]), Bytes(kRoundOrdinals[1])};
    std::int32_t slots = 8;  // slots 0 to slots - 1 in each round
    // The rows of a block; a place lands in each row whose letter its group holds.
    std::vector<Bytes> rows = {Bytes(cp1251("Н").view()), Bytes(cp1251("В").view())};

    std::int32_t olympiads() const { return static_cast<std::int32_t>(years.size()); }
    std::int32_t rounds() const { return static_cast<std::int32_t>(roundNames.size()); }
    // The columns of the table: the olympiad, the row letter, the slots and an empty one.
    std::int32_t columns() const { return 2 + rounds() * slots + 1; }

    bool operator==(const TableShape&) const = default;
};
