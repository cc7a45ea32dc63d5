#include "driver/book_config.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "text/cp1251.hpp"

namespace {

using Place = std::tuple<long, std::int32_t, std::int32_t, std::string_view>;

std::vector<Place> placesOf(const Findings& findings) {
    std::vector<Place> places;
    for (const Finding& f : findings) {
        EXPECT_EQ(f.file, InFile::Config);
        EXPECT_EQ(f.severity, Severity::Error);
        places.emplace_back(f.line, f.firstColumn, f.lastColumn, f.code);
    }
    std::sort(places.begin(), places.end());
    return places;
}

TEST(BookConfig, TheDefaultsWrittenOutAreTheDefaults) {
    Findings findings;
    BookConfig config = loadBookConfig(R"([table]
olympiads = 12
years = ["1965", "1966", "1967", "1968", "1969", "1970", "1971", "1971", "1973", "1974", "1974", "1975"]
rounds = 2
round_names = ["первого тура", "второго тура"]
slots = 8
rows = ["Н", "В"]
)", &findings);
    EXPECT_TRUE(findings.empty());
    EXPECT_EQ(config.table, TableShape{});
    EXPECT_EQ(loadBookConfig("", &findings).table, TableShape{});
    EXPECT_TRUE(findings.empty());
}

TEST(BookConfig, GivesAnotherShapeInCodePage1251) {
    Findings findings;
    // A byte-order mark is allowed; the counts may be left to the lists, and
    // three rounds without names take the first three ordinals.
    BookConfig config = loadBookConfig("\xEF\xBB\xBF" R"([table]
years = ["1976", "1977/78"]  # two olympiads
rounds = 3
slots = 5
rows = ["Ж"]
)", &findings);
    EXPECT_TRUE(findings.empty());
    const TableShape& shape = config.table;
    EXPECT_EQ(shape.years, (std::vector<Bytes>{"1976", "1977/78"}));
    EXPECT_EQ(shape.olympiads(), 2);
    EXPECT_EQ(shape.roundNames, (std::vector<Bytes>{std::string(cp1251("первого тура").view()),
                                                    std::string(cp1251("второго тура").view()),
                                                    std::string(cp1251("третьего тура").view())}));
    EXPECT_EQ(shape.slots, 5);
    EXPECT_EQ(shape.rows, (std::vector<Bytes>{std::string(cp1251("Ж").view())}));
    EXPECT_EQ(shape.columns(), 18);
}

// Columns count characters: "Ж" is one, though two bytes of UTF-8.
TEST(BookConfig, FaultsStandWhereTheyAreAndLeaveTheDefaults) {
    Findings findings;
    BookConfig config = loadBookConfig(R"([table]
rows = ["Ж", 5]
  olympaids = 3
slots = 0
olympiads = 2
years = ["1", "2", "3"]
rounds = 4
round_names = ["α"]

[extra]
)", &findings);
    EXPECT_EQ(config.table, TableShape{});
    EXPECT_EQ(placesOf(findings), (std::vector<Place>{
                                      {2, 14, 14, "config-wrong-type"},
                                      {3, 3, 11, "unknown-config-key"},
                                      {4, 9, 9, "config-out-of-range"},
                                      {6, 1, 5, "config-wrong-length"},
                                      {8, 16, 18, "config-not-cp1251"},
                                      {10, 2, 6, "unknown-config-key"},
                                  }));

    findings.clear();
    loadBookConfig("[table]\nrows = [\"\"]\nolympiads = 13\n", &findings);
    EXPECT_EQ(placesOf(findings), (std::vector<Place>{{2, 1, 4, "config-bad-row"}, {3, 1, 9, "config-wrong-length"}}));
}

TEST(BookConfig, TextThatIsNoTomlOrNoUtf8) {
    Findings findings;
    loadBookConfig("[table]\nrows = [\"Н\" \"В\"]\n", &findings);
    EXPECT_EQ(placesOf(findings), (std::vector<Place>{{2, 13, 13, "config-syntax"}}));
    // Saved in code page 1251 rather than UTF-8: the first such byte.
    findings.clear();
    loadBookConfig(std::string("[table]\nrows = [\"") + std::string(cp1251("Н").view()) + "\"]\n", &findings);
    EXPECT_EQ(placesOf(findings), (std::vector<Place>{{2, 10, 10, "config-not-utf8"}}));
    EXPECT_EQ(findings.at(0).message,
              cp1251("байт CD не входит в символ UTF-8: olyindex.toml пишется в кодировке UTF-8").view());
}

TEST(BookConfig, ALetterOutsideQuotesIsASyntaxFault) {
    // The parser's character tables once reached undefined behaviour here
    // (the sanitizers stop on it).
    for (std::string_view text : {"[table]\nrows = [Н]\n", "[table]\n\"\u00a0\" = 1\n", "[table]\nрядов = 2\n"}) {
        Findings findings;
        loadBookConfig(text, &findings);
        ASSERT_EQ(findings.size(), 1u) << text;
        EXPECT_EQ(findings[0].line, 2) << text;
        EXPECT_TRUE(findings[0].code == "config-syntax" || findings[0].code == "unknown-config-key") << text;
    }
}

}  // namespace
