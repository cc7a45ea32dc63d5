#include "text/cp1251.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr auto kBanner = cp1251("\nПрограмма");
static_assert(kBanner[1] == '\xCF');  // 'П'

TEST(Cp1251, TurnsEveryRussianLetterIntoItsByte) {
    constexpr auto capitals = cp1251("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    constexpr auto smalls = cp1251("абвгдежзийклмнопрстуфхцчшщъыьэюя");
    ASSERT_EQ(capitals.size, 32u);
    ASSERT_EQ(smalls.size, 32u);
    for (std::size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(static_cast<unsigned char>(capitals[i]), 0xC0 + i) << i;
        EXPECT_EQ(static_cast<unsigned char>(smalls[i]), 0xE0 + i) << i;
    }
    EXPECT_EQ(cp1251("Ёё№").view(), std::string("\xA8\xB8\xB9"));
}

TEST(Cp1251, KeepsAsciiAndEscapesAsTheyAre) {
    EXPECT_EQ(cp1251("a\\b\n%d \"x\"").view(), std::string("a\\b\n%d \"x\""));
    EXPECT_EQ(cp1251("").size, 0u);
}

TEST(Cp1251, TableMapsEveryByteBothWays) {
    for (int byte = 0; byte < 256; ++byte) {
        std::int32_t c = cp1251table::toUnicode(static_cast<unsigned char>(byte));
        if (byte == 0x98) {
            EXPECT_EQ(c, -1);
            continue;
        }
        ASSERT_GE(c, 0) << byte;
        EXPECT_EQ(cp1251table::fromUnicode(static_cast<char32_t>(c)), byte) << byte;
    }
    EXPECT_EQ(cp1251table::fromUnicode(U'€'), 0x88);
    EXPECT_EQ(cp1251table::fromUnicode(U'😀'), -1);
    EXPECT_EQ(cp1251table::fromUnicode(U'中'), -1);
}

}  // namespace
