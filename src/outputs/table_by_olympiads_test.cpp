#include "outputs/table_by_olympiads.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

constexpr auto kHead = cp1251(
    "\n"
    "\\begin{longtable}{|c|c|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|"
    "p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|@{}c@{}}\n"
    " \\hline\n"
    "Олим- &  & \\multicolumn{8}{c|}{Номера задач} & \\multicolumn{8}{c|}{Номера задач} &\\\\\n"
    "пиада & Н/В & \\multicolumn{8}{c|}{первого тура} & \\multicolumn{8}{c|}{второго тура} &\\\\\n"
    " \\cline{3-19}\n"
    "(год) &  & 0 & 1 & 2 & 3 & 4 & 5 & 6 & 7 & 0 & 1 & 2 & 3 & 4 & 5 & 6 & 7 &\\\\\n"
    " \\hline\n"
    " \\hline\n");
constexpr auto kPrefix = cp1251("=источник задачи: ");

std::string place(std::string_view designation) { return std::string(kPrefix) + std::string(designation); }

// The content of one cell: olympiad, the row "Н" (true) or "В" (false), round 1 or 2, slot 0 to 7.
std::string cellOf(const Bytes& out, int olympiad, bool firstRow, int round, int slot) {
    std::string start = (olympiad < 10 ? "     " : "    ") + std::to_string(olympiad) + std::string(cp1251(" & Н &"));
    std::size_t at = out.find("\n" + start);
    if (at == std::string::npos) return "<no block>";
    at += 1 + start.size();
    if (!firstRow) {
        std::string lower = std::string(cp1251(" & В &"));
        at = out.find(lower, out.find(" \\cline{2-19}\n(", at));
        if (at == std::string::npos) return "<no row>";
        at += lower.size();
    }
    std::string content;
    for (int cell = 0; cell <= (round - 1) * 8 + slot; ++cell) {
        if (out.compare(at, 1, " ") != 0) return "<bad cell>";
        std::size_t end = out.find(" &", at + 1);
        if (end == std::string::npos) return "<bad cell>";
        content = out.substr(at + 1, end - at - 1);
        at = end + 2;
    }
    return content;
}

Bytes link(int number, std::string_view filler, std::string_view tail = "") {
    return "\\hyperlink{kvirtadoc-usl-" + std::to_string(number) + "}{" + std::string(filler) +
           std::to_string(number) + "}" + std::string(tail);
}

TEST(TableByOlympiads, EveryBlockIsWrittenWithoutElements) {
    Tables tables = tablesWith({"0/1"});
    Sink out;
    writeTableByOlympiads(tables, TableShape{}, 1, out);

    const char* years[] = {"1965", "1966", "1967", "1968", "1969", "1970",
                           "1971", "1971", "1973", "1974", "1974", "1975"};
    const std::string emptyCells = "  &  &  &  &  &  &  &  &  &  &  &  &  &  &  &  &\\\\\n";
    Bytes expected(kHead.view());
    for (int e = 1; e <= 12; ++e) {
        expected += " \\hline\n";
        expected += (e < 10 ? "     " : "    ") + std::to_string(e) + std::string(cp1251(" & Н &")) + emptyCells;
        expected += " \\cline{2-19}\n";
        expected += "(" + std::string(years[e - 1]) + std::string(cp1251(") & В &")) + emptyCells;
        expected += " \\hline\n";
    }
    expected += "\\end{longtable}\n\n\n";
    EXPECT_EQ(out.text(), expected);
}

// Book numbers 1, 2, 5, 12 (as 12.1), 13 (twice in source 0), 9, 10, 99, 100
// and 123; one problem without a book number and two sharing 7.
Tables olympiadTables() {
    return tablesWith({"0/1", "0/2", "0/5", "0/12.1", "0/123", "3/3", "0/7 1/1", "0/7 1/2", "0/13 0/13.2", "0/9",
                       "0/10", "0/99", "0/100"});
}

void addUnnumberedPlace(Tables& tables, std::string_view designation) {
    IndexElement& element = addElement(tables, {place(designation), {}});
    element.zz = {&tables.problems[5], &tables.problems[6], &tables.problems[7]};
    element.zz_ = {nullptr, nullptr, nullptr};
}

TEST(TableByOlympiads, LinksInBookOrderPaddedWithSubnumberAndSuffix) {
    Tables tables = olympiadTables();
    addElement(tables, {place(cp1251("3-1-НВ-2а")), {123, 5, 12}});
    addElement(tables, {place(cp1251("3-2-Н-6")), {13}});
    addElement(tables, {place(cp1251("3-2-Н-7")), {100, 9, 99, 10}});
    Sink out;
    writeTableByOlympiads(tables, TableShape{}, 123, out);

    Bytes expected = link(5, "\\phantom{00}", cp1251("а")) + "; " + link(12, "\\phantom{0}", cp1251(".1а")) + "; " +
                     link(123, "", cp1251("а"));
    EXPECT_EQ(cellOf(out.text(), 3, true, 1, 2), expected);
    EXPECT_EQ(cellOf(out.text(), 3, false, 1, 2), expected);  // "НВ" fills both rows
    // Both placements in source 0 of one problem are linked.
    EXPECT_EQ(cellOf(out.text(), 3, true, 2, 6), link(13, "\\phantom{0}") + "; " + link(13, "\\phantom{0}", ".2"));
    EXPECT_EQ(cellOf(out.text(), 3, false, 2, 6), "");
    EXPECT_EQ(cellOf(out.text(), 3, true, 2, 7), link(9, "\\phantom{00}") + "; " + link(10, "\\phantom{0}") + "; " +
                                              link(99, "\\phantom{0}") + "; " + link(100, ""));
    EXPECT_EQ(cellOf(out.text(), 3, true, 1, 3), "");
}

TEST(TableByOlympiads, SeveralElementsInOneCell) {
    Tables tables = olympiadTables();
    addElement(tables, {place(cp1251("4-2-Н-0")), {1}});
    addElement(tables, {place(cp1251("4-2-Н-0б")), {2}});
    addElement(tables, {place(cp1251("5-1-В-7")), {1}});
    addElement(tables, {place(cp1251("5-1-В-7*")), {}}).noNumber = 1;
    addElement(tables, {place(cp1251("5-1-В-7в")), {2}});
    addElement(tables, {place(cp1251("6-1-В-7*")), {}}).noNumber = 1;
    addElement(tables, {place(cp1251("6-1-В-7в")), {2}});
    addElement(tables, {place(cp1251("9-1-Н-3")), {1}});
    addUnnumberedPlace(tables, cp1251("9-1-Н-3z"));
    Sink out;
    writeTableByOlympiads(tables, TableShape{}, 123, out);

    EXPECT_EQ(cellOf(out.text(), 4, true, 2, 0), link(1, "\\phantom{00}") + "\\newline " + link(2, "\\phantom{00}", cp1251("б")));
    // A "---" is no item: no "\newline" of its own, and the next links follow it directly.
    EXPECT_EQ(cellOf(out.text(), 5, false, 1, 7),
              link(1, "\\phantom{00}") + "---\\newline " + link(2, "\\phantom{00}", cp1251("в")));
    EXPECT_EQ(cellOf(out.text(), 6, false, 1, 7), "---" + link(2, "\\phantom{00}", cp1251("в")));
    // An element without links still gets its "\newline" after an earlier one.
    EXPECT_EQ(cellOf(out.text(), 9, true, 1, 3), link(1, "\\phantom{00}") + "\\newline ");
}

TEST(TableByOlympiads, NamedSlotsWithoutLinks) {
    Tables tables = olympiadTables();
    addElement(tables, {place(cp1251("1-1-Н-0")), {}}).noNumber = 1;
    addUnnumberedPlace(tables, cp1251("1-1-Н-1"));
    addElement(tables, {place(cp1251("1-1-Н-2")), {}}).noNumber = 1;
    addUnnumberedPlace(tables, cp1251("1-1-Н-2a"));
    // Beyond the largest book number nothing is linked.
    addElement(tables, {place(cp1251("1-1-Н-3")), {123}});
    Sink out;
    writeTableByOlympiads(tables, TableShape{}, 100, out);

    EXPECT_EQ(cellOf(out.text(), 1, true, 1, 0), "---");
    EXPECT_EQ(cellOf(out.text(), 1, true, 1, 1), "===");
    EXPECT_EQ(cellOf(out.text(), 1, true, 1, 2), "---");
    EXPECT_EQ(cellOf(out.text(), 1, true, 1, 3), "===");
}

TEST(TableByOlympiads, MalformedOrOutOfRangePlacesLandNowhere) {
    Tables tables = olympiadTables();
    const std::string designations[] = {
        std::string(cp1251("11-1-Н")),   std::string(cp1251("11-1-Н-0-1")), std::string(cp1251("13-1-Н-0")),
        std::string(cp1251("0-1-Н-0")),  std::string(cp1251("11-3-Н-0")),   std::string(cp1251("11-1-Н-8")),
        std::string(cp1251("11-1-x-0")), std::string(cp1251("4294967297-1-Н-1"))};
    for (const std::string& designation : designations) addElement(tables, {place(designation), {1}});
    addElement(tables, {cp1251("=источник 11-1-Н-0"), {1}});
    IndexElement& merged = addElement(tables, {place(cp1251("11-1-Н-0")), {1}});
    merged.actual = 0;
    Sink out;
    writeTableByOlympiads(tables, TableShape{}, 123, out);
    EXPECT_EQ(out.text().find("kvirtadoc"), std::string::npos);
    EXPECT_EQ(out.text().find("==="), std::string::npos);
}

// Three rows: the number in the first, the year in the second, nothing in
// the third; a place lands in each row whose letter its group holds.
TEST(TableByOlympiads, FollowsItsShape) {
    Tables tables = olympiadTables();
    addElement(tables, {place(cp1251("1-1-АВ-1")), {1}});
    addElement(tables, {place(cp1251("2-1-Б-0")), {2}});
    addElement(tables, {place(cp1251("3-1-А-0")), {1}});  // no third olympiad
    addElement(tables, {place(cp1251("1-2-А-0")), {1}});  // no second round
    addElement(tables, {place(cp1251("1-1-А-2")), {1}});  // no slot 2
    TableShape shape{{"1990", "1991/92"}, {std::string(cp1251("первого"))}, 2,
                     {std::string(cp1251("А")), std::string(cp1251("Б")), std::string(cp1251("В"))}};
    Sink out;
    writeTableByOlympiads(tables, shape, 123, out);

    const Bytes one = link(1, "\\phantom{00}");
    const Bytes two = link(2, "\\phantom{00}");
    Bytes expected(cp1251(
        "\n"
        "\\begin{longtable}{|c|c|p{\\pwidth}|p{\\pwidth}|@{}c@{}}\n"
        " \\hline\n"
        "Олим- &  & \\multicolumn{2}{c|}{Номера задач} &\\\\\n"
        "пиада & А/Б/В & \\multicolumn{2}{c|}{первого} &\\\\\n"
        " \\cline{3-5}\n"
        "(год) &  & 0 & 1 &\\\\\n"
        " \\hline\n \\hline\n"
        " \\hline\n").view());
    expected += std::string(cp1251("     1 & А &  & ").view()) + one + " &\\\\\n \\cline{2-5}\n";
    expected += cp1251("(1990) & Б &  &  &\\\\\n \\cline{2-5}\n").view();
    expected += std::string(cp1251(" & В &  & ").view()) + one + " &\\\\\n \\hline\n";
    expected += " \\hline\n";
    expected += cp1251("     2 & А &  &  &\\\\\n \\cline{2-5}\n").view();
    expected += std::string(cp1251("(1991/92) & Б & ").view()) + two + " &  &\\\\\n \\cline{2-5}\n";
    expected += cp1251(" & В &  &  &\\\\\n \\hline\n").view();
    expected += "\\end{longtable}\n\n\n";
    EXPECT_EQ(out.text(), expected);
}

// A single row shows the number above the year in its first cell.
TEST(TableByOlympiads, ASingleRowHoldsNumberAndYear) {
    Tables tables = olympiadTables();
    TableShape shape;
    shape.years = {"1976"};
    shape.rows = {std::string(cp1251("Н"))};
    Sink out;
    writeTableByOlympiads(tables, shape, 123, out);
    EXPECT_NE(out.text().find(cp1251(" \\hline\n\\begin{tabular}[t]{@{}c@{}}1\\\\(1976)\\end{tabular} & Н &  &").view()),
              std::string::npos);
    EXPECT_EQ(out.text().find("cline{2-"), std::string::npos);
}

}  // namespace
