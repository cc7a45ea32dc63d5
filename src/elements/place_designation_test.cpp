#include "elements/place_designation.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "text/cp1251.hpp"

namespace {

TEST(PlaceDesignation, FieldsAreLeadingNumbersAndTheSuffixFollowsTheSlotDigits) {
    static constexpr auto kTail = cp1251("7-1-НВ-03а");  // the result points into the text it was given
    PlaceDesignation p = parsePlaceDesignation(kTail);
    EXPECT_TRUE(p.wellFormed);
    EXPECT_EQ(std::tuple(p.olympiad, p.round, p.slot), std::tuple(7, 1, 3));
    EXPECT_EQ(p.group, cp1251("НВ").view());
    EXPECT_EQ(p.suffix, cp1251("а").view());

    // Blanks and a sign before a number are read as C reads them; no digit reads as 0.
    // Only digits right after the third "-" are cut off the suffix.
    p = parsePlaceDesignation(" 5x-+2-- 4b");
    EXPECT_TRUE(p.wellFormed);
    EXPECT_EQ(std::tuple(p.olympiad, p.round, p.slot), std::tuple(5, 2, 4));
    EXPECT_EQ(p.group, "");
    EXPECT_EQ(p.suffix, " 4b");
    p = parsePlaceDesignation("x-y-N-z");
    EXPECT_EQ(std::tuple(p.olympiad, p.round, p.slot), std::tuple(0, 0, 0));
}

TEST(PlaceDesignation, NeedsExactlyThreeDashesButAlwaysGivesTheOlympiad) {
    for (std::string tail : {"7-1-N", "7-1-N-3-4", "7"}) {
        PlaceDesignation p = parsePlaceDesignation(tail);
        EXPECT_FALSE(p.wellFormed) << tail;
        EXPECT_EQ(p.olympiad, 7) << tail;
    }
}

}  // namespace
