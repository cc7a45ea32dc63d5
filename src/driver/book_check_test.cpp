// The check of a book in memory: where each kind of finding stands, worked
// out by hand on the lines as they stand in the file (before comments are
// cut and spaces folded), and the lines the records keep.

#include "driver/book_check.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "elements/ordering.hpp"
#include "elements/table_checks.hpp"
#include "text/cp1251.hpp"

namespace {

using Place = std::tuple<InFile, long, std::int32_t, std::int32_t, std::string_view>;

std::vector<Place> placesOf(const Findings& findings) {
    std::vector<Place> places;
    for (const Finding& f : findings) places.emplace_back(f.file, f.line, f.firstColumn, f.lastColumn, f.code);
    std::sort(places.begin(), places.end());
    return places;
}

TEST(BookCheck, EveryKindOfFindingSpansWhatItIsAbout) {
    std::string source = std::string("junk\n"                                             // 1
                                     "#!\n"                                               // 2
                                     "0/1   5/1\n"                                        // 3
                                     "0/2  5/2a // note\n"                                // 4
                                     "0/3 5/3 5/3 5/3 5/3 5/3 5/3 5/3 5/3 5/3 5/3 5/30\n" // 5
                                     "0/4 7/1\n"                                          // 6
                                     "  0/4\n"                                            // 7
                                     "3/3\n"                                              // 8
                                     "0/10 5/7.1\n"                                       // 9
                                     "0/11 5/7.2\n"                                       // 10
                                     "#/5\n"                                              // 11
                                     "! L5\n"                                             // 12
                                     "! M5\n"                                             // 13
                                     "A  --  99\n"                                        // 14
                                     "B -- 7\n"                                           // 15
                                     "C -- 1.\n"                                          // 16
                                     "D -- 1*2\n"                                         // 17
                                     "E -- 1 3, 1\n"                                      // 18
                                     "F 1\n"                                              // 19
                                     "=x -- 1\n") +                                       // 20
                         std::string(cp1251("=источник задачи: 13-1-Н-1 -- 1\n"           // 21
                                            "абазинский язык -- 1\n")) +                  // 22
                         "x http://e.org -- 1\n"                                          // 23
                         "#/-\n"                                                          // 24
                         "G -- 12\n"                                                      // 25
                         "#/99999999999\n" +                                              // 26
                         std::string(2049, 'x') + "\n";                                   // 27
    BookCheck checked = checkBook(source, std::string("a [] b\nu: http://e.org\n"));
    ASSERT_TRUE(checked.complete);
    constexpr InFile S = InFile::Source;
    constexpr InFile T = InFile::Template;
    std::vector<Place> expected = {
        {S, 1, 1, 4, "text-before-marker"},
        {S, 4, 6, 9, "malformed-placement"},
        {S, 5, 45, 48, "too-many-placements"},
        {S, 6, 5, 7, "source-without-label"},
        {S, 7, 3, 5, "duplicate-book-number"},
        {S, 8, 1, 3, "no-book-number"},
        {S, 8, 1, 3, "source-without-label"},
        {S, 13, 3, 4, "source-text-replaced"},
        {S, 14, 8, 9, "unresolved-reference"},
        {S, 15, 6, 6, "ambiguous-reference"},
        {S, 16, 6, 7, "point-without-subnumber"},
        {S, 17, 6, 8, "malformed-reference"},
        {S, 18, 6, 8, "glued-reference"},
        {S, 19, 1, 3, "missing-dash"},
        {S, 20, 1, 2, "unknown-category"},
        {S, 21, 19, 26, "place-outside-table"},
        {S, 22, 1, 15, "language-not-in-template"},
        {S, 23, 1, 19, "missing-dash"},
        {S, 23, 8, 9, "web-address-cut"},
        {S, 25, 6, 7, "text-after-dash-ignored"},
        {S, 26, 3, 13, "source-number-too-large"},
        {S, 27, 1, 2049, "line-too-long"},
        {T, 1, 3, 4, "placeholder-outside-block"},
        {T, 2, 9, 10, "web-address-cut"},
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(placesOf(checked.findings), expected);
}

TEST(BookCheck, ALabelTooLongSpansTheLabelAndABlockWithoutLanguageItsPlaceholder) {
    const std::string label(1025, 'L');
    BookCheck checked = checkBook("#!\n0/1 5/1\n#/5\n!   " + label + "\n", std::string(cp1251("\\элемент\n{x}[]\n")));
    std::vector<Place> expected = {{InFile::Source, 2, 5, 7, "source-without-label"},  // the label was refused
                                   {InFile::Source, 4, 5, 1029, "label-too-long"},
                                   {InFile::Template, 2, 4, 5, "block-without-language"}};
    EXPECT_EQ(placesOf(checked.findings), expected);
}

// The warnings of the tables name the lines of the records, whatever order
// the tables are in: here the elements are sorted first.
TEST(BookCheck, TableWarningsKeepTheirLinesOnceTheElementsAreReordered) {
    const std::string source(cp1251("#!\n0/1 5/1\n#/5\n! L\n"
                                     "яванский язык -- 1\n"   // 5
                                     "// a comment\n"
                                     "абхазский язык -- 1\n"  // 7
                                     "Термин -- 1\n"));
    BookCheck checked = checkBook(source, std::nullopt);
    Tables& tables = checked.tables;
    ASSERT_EQ(tables.elements.size(), 3u);
    EXPECT_EQ(tables.problems[0].line, 2);
    EXPECT_EQ(tables.elements[1].line, 7);
    sortElements(tables.elements);
    ASSERT_EQ(tables.elements[0].line, 8);  // "Термин" comes first in byte order
    RawLines lines;
    std::string_view raw;
    for (std::size_t pos = 0; readLine(source, pos, raw) != LineRead::End;) lines.push_back(raw);
    Findings findings;
    checkLanguagesNamed(tables.elements, {}, lines, &findings);
    std::vector<Place> expected = {{InFile::Source, 5, 1, 13, "language-not-in-template"},
                                   {InFile::Source, 7, 1, 14, "language-not-in-template"}};
    EXPECT_EQ(placesOf(findings), expected);
}

}  // namespace

TEST(BookCheck, NamesThatReadAlikeOfferTheOtherNameAsAFix) {
    // What the language server shows: the later name spanned, and the edit
    // that writes the earlier one in its place.
    std::string source(cp1251("#!\n0/1\n#/0\nпадеж -- 1\n  Падеж  -- 1\n"));
    BookCheck checked = checkBook(source, std::nullopt);
    ASSERT_EQ(checked.findings.size(), 1u);
    const Finding& f = checked.findings[0];
    EXPECT_EQ(f.code, "near-duplicate-name");
    EXPECT_EQ(f.line, 5);
    EXPECT_EQ(f.firstColumn, 3);
    EXPECT_EQ(f.lastColumn, 7);
    ASSERT_EQ(f.fixes.size(), 1u);
    EXPECT_EQ(f.fixes[0].text, cp1251("падеж").view());
    EXPECT_EQ(f.fixes[0].firstColumn, 3);
    EXPECT_EQ(f.fixes[0].lastColumn, 7);
}
