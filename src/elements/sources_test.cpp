#include "elements/sources.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.hpp"

namespace {

TEST(SourceLines, LabelAndFullNameFillOneEntryInEitherOrder) {
    SourceTable table{};
    Sink console;
    storeSourceLine(table, "!! Full three", 3, 1, console);
    storeSourceLine(table, "! T3", 3, 2, console);
    storeSourceLine(table, "! T1", 1, 3, console);
    storeSourceLine(table, "! T3b", 3, 4, console);
    storeSourceLine(table, "! M", -1, 5, console);
    EXPECT_EQ(console.text(), "");
    for (const SourceEntry& e : table) printSource(e, console);
    EXPECT_EQ(console.text(), "3/T3b/Full three\n1/T1/\n-1/M/\n");
}

TEST(SourceLines, TooLongLabelIsRefusedAndTheEntryKeepsItsTexts) {
    SourceTable table{};
    Sink console;
    storeSourceLine(table, "!! Full", 3, 1, console);
    storeSourceLine(table, "! T", 3, 2, console);
    std::string longLine = "! " + std::string(1025, 'x');
    storeSourceLine(table, longLine, 3, 7, console);
    storeSourceLine(table, longLine, 4, 8, console);
    std::string expected = std::string(cp1251("\nОШИБКА в исходном файле в строке 7:\n")) + longLine + "\n" +
                           std::string(cp1251("\nОШИБКА в исходном файле в строке 8:\n")) + longLine + "\n";
    EXPECT_EQ(console.text(), expected);
    EXPECT_EQ(table[0].abbreviation, "T");
    EXPECT_EQ(table[0].fullName, "Full");
    EXPECT_EQ(table[1].used, 0);
    storeSourceLine(table, "! " + std::string(1024, 'x'), 4, 9, console);
    EXPECT_EQ(table[1].abbreviation.size(), 1024u);
}

TEST(SourceLines, TheHundredAndSecondSourceFindsNoRoom) {
    SourceTable table{};
    Sink console;
    for (int source = 0; source <= 100; ++source) storeSourceLine(table, "! s", source, 1, console);
    EXPECT_EQ(console.text(), "");
    storeSourceLine(table, "! s", 101, 1, console);
    storeSourceLine(table, "! again", 100, 1, console);
    EXPECT_EQ(console.text(), cp1251("\nОШИБКА: недостаточно места в таблице источников\n").view());
    EXPECT_EQ(table[100].abbreviation, "again");
}

TEST(SourceLines, OnlyBangSpaceAndDoubleBangSpace) {
    for (auto line : {"! x", "!! x"}) EXPECT_TRUE(isSourceLine(line)) << line;
    for (auto line : {"!", "!x", "!!", "!!x", "!!!", "x ! y"}) EXPECT_FALSE(isSourceLine(line)) << line;
}

}  // namespace
