#include "elements/sources.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.hpp"

namespace {

TEST(SourceLines, LabelAndFullNameFillOneEntryInEitherOrder) {
    SourceTable table{};
    for (const auto& [text, source] : std::initializer_list<std::pair<const char*, int>>{
             {"!! Full three", 3}, {"! T3", 3}, {"! T1", 1}, {"! T3b", 3}, {"! M", -1}})
        EXPECT_EQ(storeSourceLine(table, {text, text, 1}, source), SourceRefusal::None) << text;
    auto entry = [](const SourceEntry& e) { return std::to_string(e.used) + "/" + std::to_string(e.source) + "/" +
                                                   e.abbreviation + "/" + e.fullName; };
    EXPECT_EQ(entry(table[0]), "1/3/T3b/Full three");
    EXPECT_EQ(entry(table[1]), "1/1/T1/");
    EXPECT_EQ(entry(table[2]), "1/-1/M/");
    EXPECT_EQ(table[3].used, 0);
}

TEST(SourceLines, TooLongLabelIsRefusedAndTheEntryKeepsItsTexts) {
    SourceTable table{};
    storeSourceLine(table, {"!! Full", "!! Full", 1}, 3);
    storeSourceLine(table, {"! T", "! T", 2}, 3);
    std::string longLine = "! " + std::string(1025, 'x');
    EXPECT_EQ(storeSourceLine(table, {longLine, longLine, 7}, 3), SourceRefusal::LabelTooLong);
    EXPECT_EQ(storeSourceLine(table, {longLine, longLine, 8}, 4), SourceRefusal::LabelTooLong);
    EXPECT_EQ(table[0].abbreviation, "T");
    EXPECT_EQ(table[0].fullName, "Full");
    EXPECT_EQ(table[1].used, 0);
    const std::string fits = "! " + std::string(1024, 'x');
    EXPECT_EQ(storeSourceLine(table, {fits, fits, 9}, 4), SourceRefusal::None);
    EXPECT_EQ(table[1].abbreviation.size(), 1024u);
}

TEST(SourceLines, TheHundredAndSecondSourceFindsNoRoom) {
    SourceTable table{};
    for (int source = 0; source <= 100; ++source)
        EXPECT_EQ(storeSourceLine(table, {"! s", "! s", 1}, source), SourceRefusal::None) << source;
    EXPECT_EQ(storeSourceLine(table, {"! s", "! s", 1}, 101), SourceRefusal::NoRoom);
    EXPECT_EQ(storeSourceLine(table, {"! again", "! again", 1}, 100), SourceRefusal::None);
    EXPECT_EQ(table[100].abbreviation, "again");
}

TEST(SourceLines, OnlyBangSpaceAndDoubleBangSpace) {
    for (auto line : {"! x", "!! x"}) EXPECT_TRUE(isSourceLine(line)) << line;
    for (auto line : {"!", "!x", "!!", "!!x", "!!!", "x ! y"}) EXPECT_FALSE(isSourceLine(line)) << line;
}

}  // namespace
