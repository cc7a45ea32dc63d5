#include "elements/sources.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.hpp"

namespace {

TEST(SourceLines, LabelAndFullNameFillOneEntryInEitherOrder) {
    SourceTable table{};
    Sink console;
    storeSourceLine(table, {"!! Full three", "!! Full three", 1}, 3, console);
    storeSourceLine(table, {"! T3", "! T3", 2}, 3, console);
    storeSourceLine(table, {"! T1", "! T1", 3}, 1, console);
    storeSourceLine(table, {"! T3b", "! T3b", 4}, 3, console);
    storeSourceLine(table, {"! M", "! M", 5}, -1, console);
    EXPECT_EQ(console.text(), "");
    for (const SourceEntry& e : table) printSource(e, console);
    EXPECT_EQ(console.text(), "3/T3b/Full three\n1/T1/\n-1/M/\n");
}

TEST(SourceLines, TooLongLabelIsRefusedAndTheEntryKeepsItsTexts) {
    SourceTable table{};
    Sink console;
    storeSourceLine(table, {"!! Full", "!! Full", 1}, 3, console);
    storeSourceLine(table, {"! T", "! T", 2}, 3, console);
    std::string longLine = "! " + std::string(1025, 'x');
    storeSourceLine(table, {longLine, longLine, 7}, 3, console);
    storeSourceLine(table, {longLine, longLine, 8}, 4, console);
    std::string expected = std::string(cp1251("\nОШИБКА в исходном файле в строке 7:\n")) + longLine + "\n" +
                           std::string(cp1251("\nОШИБКА в исходном файле в строке 8:\n")) + longLine + "\n";
    EXPECT_EQ(console.text(), expected);
    EXPECT_EQ(table[0].abbreviation, "T");
    EXPECT_EQ(table[0].fullName, "Full");
    EXPECT_EQ(table[1].used, 0);
    const std::string fits = "! " + std::string(1024, 'x');
    storeSourceLine(table, {fits, fits, 9}, 4, console);
    EXPECT_EQ(table[1].abbreviation.size(), 1024u);
}

TEST(SourceLines, TheHundredAndSecondSourceFindsNoRoom) {
    SourceTable table{};
    Sink console;
    for (int source = 0; source <= 100; ++source) storeSourceLine(table, {"! s", "! s", 1}, source, console);
    EXPECT_EQ(console.text(), "");
    storeSourceLine(table, {"! s", "! s", 1}, 101, console);
    storeSourceLine(table, {"! again", "! again", 1}, 100, console);
    EXPECT_EQ(console.text(), cp1251("\nОШИБКА: недостаточно места в таблице источников\n").view());
    EXPECT_EQ(table[100].abbreviation, "again");
}

TEST(SourceLines, OnlyBangSpaceAndDoubleBangSpace) {
    for (auto line : {"! x", "!! x"}) EXPECT_TRUE(isSourceLine(line)) << line;
    for (auto line : {"!", "!x", "!!", "!!x", "!!!", "x ! y"}) EXPECT_FALSE(isSourceLine(line)) << line;
}

}  // namespace
