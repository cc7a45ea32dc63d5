#pragma once
// The place designation of a "=источник задачи: " element, such as "7-1-НВ-3а":
// olympiad, round, group letters, slot and a suffix shown after the slot.

#include <cstdint>
#include <string_view>

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
