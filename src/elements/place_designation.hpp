#pragma once
// The place designation of a "=источник задачи: " element, such as "7-1-НВ-3а":
// olympiad, round, group letters, slot and a suffix shown after the slot.

#include <cstdint>
#include <string_view>

#include "text/cp1251.hpp"

// The cells of the table by olympiads: olympiads 1 to kLastOlympiad, rounds 1
// to kLastRound, slots 0 to kLastSlot, and the two rows a group's letters name.
inline constexpr std::int32_t kLastOlympiad = 12;
inline constexpr std::int32_t kLastRound = 2;
inline constexpr std::int32_t kLastSlot = 7;
inline constexpr auto kFirstRow = cp1251("Н");
inline constexpr auto kSecondRow = cp1251("В");

struct PlaceDesignation {
    bool wellFormed = false;  // exactly three "-"; only then are the fields after the olympiad set
    std::int32_t olympiad = 0;
    std::int32_t round = 0;
    std::string_view group;
    std::int32_t slot = 0;
    std::string_view suffix;
};

// Reads the text after the place prefix. The numbers are leading decimal
// numbers as C's strtol reads them (0 when none); the views point into `tail`.
PlaceDesignation parsePlaceDesignation(std::string_view tail);
