#include "outputs/table_by_numbers.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

constexpr auto kHead = cp1251(
    "\n\n\\noindent\n"
    "\\begin{longtable}[l]{|r|p{3.5cm}|p{7.4cm}|@{}r@{\\,}|@{}r@{\\,}|p{3.8cm}|@{}l@{}}\n"
    "\\hline\n"
    "\\номер & Место на олимпиаде & Авторы (условие/решение) & Усл. & Реш. & Прежние публикации\\\\\n"
    "\\hline\n");
constexpr std::string_view kTableEnd = "\\end{longtable}\n\n\n\n\n\\label{rashifrovka_oboznachenij}\n\n";

void setSource(Tables& tables, std::size_t entry, std::int32_t source, std::string_view abbreviation,
               std::string_view fullName) {
    tables.sources[entry] = {1, source, std::string(abbreviation), std::string(fullName)};
}

// The rows between the head and the end of the table.
std::string rowsOf(const Bytes& out) {
    EXPECT_TRUE(out.starts_with(kHead.view()));
    std::size_t end = out.find("\\end{longtable}");
    if (!out.starts_with(kHead.view()) || end == std::string::npos) return "";
    return out.substr(kHead.size, end - kHead.size);
}

// The authors cell of the row of book number n.
std::string authorsCell(const Bytes& out, int n) {
    std::string rows = "\\hline\n" + rowsOf(out);  // every row now follows a "\\hline"
    std::size_t row = rows.find("\\hline\n" + std::to_string(n) + " & ");
    constexpr std::string_view kBefore = "\\raggedright &  \\raggedright ";
    std::size_t start = rows.find(kBefore, row);
    std::size_t end = rows.find(" & \\pageref{kvirtadoc-usl-", start);
    if (row == std::string::npos || start == std::string::npos || end == std::string::npos) return "<no row>";
    return rows.substr(start + kBefore.size(), end - start - kBefore.size());
}

TEST(TableByNumbers, WithoutProblemsOnlyHeadEndAndLegend) {
    Tables tables = tablesWith({"3/1"});
    setSource(tables, 0, 3, cp1251("ЛО"), cp1251("Лингвистическая олимпиада"));
    setSource(tables, 2, 7, "", cp1251("Без сокращения"));
    Sink out;
    std::vector<DuplicateLookup> duplicates = writeTableByNumbers(tables, 0, out);
    Bytes expected(kHead.view());
    expected += kTableEnd;
    expected += cp1251("\n\n[ЛО] Лингвистическая олимпиада\n\n[] Без сокращения");
    EXPECT_EQ(out.text(), expected);
    EXPECT_TRUE(duplicates.empty());
}

TEST(TableByNumbers, RowsWithPlacesPagesAndPublications) {
    // 3 is a gap and 4 is shared: neither gets a row.
    Tables tables = tablesWith({"0/1 3/7", "0/2 NS", "0/4", "0/4 3/8", "0/5 4/2 3/12.2 9/1 3/13.0"});
    setSource(tables, 0, 3, cp1251("ЛО"), cp1251("Лингвистическая олимпиада"));
    setSource(tables, 1, 4, "", cp1251("Без сокращения"));
    addElement(tables, {cp1251("=автор решения Иванов"), {1}});
    addElement(tables, {cp1251("=автор условия Иванов"), {1}});
    addElement(tables, {cp1251("=источник задачи: 10-2-В-3"), {1}});
    addElement(tables, {cp1251("=источник задачи: 7-1-НВ-4а"), {5, 1}});
    addElement(tables, {cp1251("=источник задачи: 8-1-Н-1$"), {1, 2}});
    addElement(tables, {cp1251("=источник задачи: абв"), {1}});
    Sink out;
    std::vector<DuplicateLookup> duplicates = writeTableByNumbers(tables, 5, out);

    Bytes expected(cp1251("1 & \\mbox{10-2-В-3}; \\mbox{\\phantom{0}7-1-НВ-4а}; \\mbox{\\phantom{0}абв}\\raggedright & "
                          " \\raggedright \\mbox{Иванов} & \\pageref{kvirtadoc-usl-1p} & \\pageref{kvirtadoc-resh-1p} & "
                          "\\raggedright \\mbox{ЛО--7} & \\\\\n\\hline\n"));
    expected += "2 & \\raggedright &  \\raggedright --- & \\pageref{kvirtadoc-usl-2p} &  & \\raggedright  & \\\\\n\\hline\n";
    expected += cp1251("5 & \\mbox{\\phantom{0}7-1-НВ-4а}\\raggedright &  \\raggedright --- & \\pageref{kvirtadoc-usl-5p} & "
                       "\\pageref{kvirtadoc-resh-5p} & \\raggedright \\mbox{ЛО--12.2}; \\mbox{ЛО--13.0} & \\\\\n\\hline\n");
    EXPECT_EQ(rowsOf(out.text()), expected);
    Bytes tail(kTableEnd);
    tail += cp1251("\n\n[ЛО] Лингвистическая олимпиада\n\n[] Без сокращения");
    EXPECT_TRUE(out.text().ends_with(tail));
    EXPECT_TRUE(duplicates.empty());
}

TEST(TableByNumbers, AuthorsCellForms) {
    Tables tables = tablesWith({"0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "0/8"});
    std::string longName(300, 'X');
    std::string solutionLong = std::string(cp1251("=автор решения ")) + longName + "b";
    std::string statementLong = std::string(cp1251("=автор условия ")) + longName + "a";
    addElement(tables, {solutionLong, {8}});
    addElement(tables, {cp1251("=автор решения Иванов"), {2, 3, 6}});
    addElement(tables, {cp1251("=автор решения Петров"), {3, 4, 6, 7}});
    addElement(tables, {cp1251("=автор решения Сидоров"), {6}});
    addElement(tables, {statementLong, {8}});
    addElement(tables, {cp1251("=автор условия Иванов"), {2, 3, 4, 5, 6}});
    addElement(tables, {cp1251("=автор условия Петров"), {3, 6}});
    addElement(tables, {cp1251("=автор условия Сидоров"), {6}});
    Sink out;
    writeTableByNumbers(tables, 8, out);

    EXPECT_EQ(authorsCell(out.text(), 1), "---");                                 // no author at all
    EXPECT_EQ(authorsCell(out.text(), 2), Bytes(cp1251("\\mbox{Иванов}")));      // one person both sides
    EXPECT_EQ(authorsCell(out.text(), 3), Bytes(cp1251("\\mbox{Иванов}, \\mbox{Петров}")));  // the same pair
    EXPECT_EQ(authorsCell(out.text(), 4), Bytes(cp1251("\\mbox{Иванов}~/ \\mbox{Петров}")));  // different people
    EXPECT_EQ(authorsCell(out.text(), 5), Bytes(cp1251("\\mbox{Иванов}~/ ---")));             // statement only
    EXPECT_EQ(authorsCell(out.text(), 6), Bytes(cp1251("\\mbox{Иванов}, \\mbox{Петров}, \\mbox{Сидоров}~/ "
                                                "\\mbox{Иванов}, \\mbox{Петров}, \\mbox{Сидоров}")));
    EXPECT_EQ(authorsCell(out.text(), 7), Bytes(cp1251("---~/ \\mbox{Петров}")));             // solution only
    // Long names are compared whole: these differ only in their last character.
    EXPECT_EQ(authorsCell(out.text(), 8), "\\mbox{" + longName + "a}~/ \\mbox{" + longName + "b}");
}

}  // namespace
