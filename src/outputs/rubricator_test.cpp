#include "outputs/rubricator.hpp"

#include <gtest/gtest.h>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

// Book numbers 1, 2 ("NS"), 4 and 6; 3 is a gap and 5 is shared by two problems.
// Elements, in name order: a Russian-language one, an author (starred on 1),
// two terms, one element referring to both problems numbered 5, and one merged away.
Tables rubricatorTables() {
    Tables tables = tablesWith({"0/1 3/7", "0/2 NS", "0/4", "0/5 1/1", "0/5 1/2", "0/6"});
    addElement(tables, {cp1251("=РЯ глагол"), {1}});
    addElement(tables, {cp1251("=автор условия Иванов"), {1, 2}, {1}});
    addElement(tables, {cp1251("падеж"), {4, 1}});
    IndexElement& gender = addElement(tables, {cp1251("род"), {}});
    gender.zz = {&tables.problems[3]};
    gender.zz_ = {nullptr};
    IndexElement& number = addElement(tables, {cp1251("число"), {}});
    number.zz = {&tables.problems[3], &tables.problems[4]};
    number.zz_ = {nullptr, nullptr};
    IndexElement& merged = addElement(tables, {cp1251("ь"), {1, 4}});
    merged.actual = 0;
    return tables;
}

// The listing spelled short: "n:", then "!element(kept,other)" for each
// duplicate (the records' places in the table), then each element's name,
// with "*" when starred.
std::string spelledListing(const Tables& tables, std::int32_t maxBookNumber) {
    std::string spelled;
    listElementsByBookNumber(tables, maxBookNumber, [&](const BookNumberListing& listing) {
        spelled += (spelled.empty() ? "" : " ") + std::to_string(listing.number) + ":";
        for (const DuplicateLookup& d : listing.duplicates)
            spelled += " !" + std::string(d.element) + "(" + std::to_string(handleOf(tables.problems, d.kept)) + "," +
                       std::to_string(handleOf(tables.problems, d.other)) + ")";
        for (const Referring& r : listing.elements) spelled += " " + r.element->name + (r.starred ? "*" : "");
    });
    return spelled;
}

TEST(MaxBookNumber, LargestUsableBookNumber) {
    // The record placed as 0/5 and 0/9 has no single book number, so 9 does not count.
    EXPECT_EQ(computeMaxBookNumber(tablesWith({"0/3", "0/7 2/40", "0/5 0/9", "0/2"})), 7);
    EXPECT_EQ(computeMaxBookNumber(tablesWith({"1/3", "0/0", "NS"})), 0);
}

TEST(ElementsByBookNumber, EveryNumberGetsItsLiveElementsAndItsDuplicates) {
    Tables tables = rubricatorTables();
    // For 5 the element holding both problems is a duplicate and not listed,
    // while one holding a single one of them is listed.
    EXPECT_EQ(spelledListing(tables, 6), std::string(cp1251("1: =РЯ глагол =автор условия Иванов* падеж "
                                                            "2: =автор условия Иванов 3: 4: падеж "
                                                            "5: !число(4,5) род 6:")));
}

TEST(Rubricator, OneSubsectionPerProblemWithItsElements) {
    Tables tables = rubricatorTables();
    Sink out;
    std::vector<DuplicateLookup> duplicates = writeRubricator(tables, 6, out);

    Bytes expected(cp1251("\n\n\n\\subsection*{1 (условие стр. \\pageref{kvirtadoc-usl-1p}, решение стр. "
                          "\\pageref{kvirtadoc-resh-1p})}\n"));
    expected += "\\raisebox{3\\baselineskip}[0pt][0pt]{\\hypertarget{rubrikator-1-link}{}}\\par\\vskip-\\baselineskip\n";
    expected += cp1251("\\noindent\\hyperlink{elementID-3}{$\\bullet$}\\,*=автор условия Иванов\\par\n");
    expected += cp1251("\\noindent\\hyperlink{elementID-4}{$\\bullet$}\\,падеж\\par\n");
    // "NS": no solution page; the author's star was on 1 only.
    expected += cp1251("\n\n\n\\subsection*{2 (условие стр. \\pageref{kvirtadoc-usl-2p})}\n");
    expected += "\\raisebox{3\\baselineskip}[0pt][0pt]{\\hypertarget{rubrikator-2-link}{}}\\par\\vskip-\\baselineskip\n";
    expected += cp1251("\\noindent\\hyperlink{elementID-3}{$\\bullet$}\\,=автор условия Иванов\\par\n");
    // Nothing for the gap 3 and the shared 5.
    expected += cp1251("\n\n\n\\subsection*{4 (условие стр. \\pageref{kvirtadoc-usl-4p}, решение стр. "
                       "\\pageref{kvirtadoc-resh-4p})}\n");
    expected += "\\raisebox{3\\baselineskip}[0pt][0pt]{\\hypertarget{rubrikator-4-link}{}}\\par\\vskip-\\baselineskip\n";
    expected += cp1251("\\noindent\\hyperlink{elementID-4}{$\\bullet$}\\,падеж\\par\n");
    // A problem no element refers to keeps its title and target.
    expected += cp1251("\n\n\n\\subsection*{6 (условие стр. \\pageref{kvirtadoc-usl-6p}, решение стр. "
                       "\\pageref{kvirtadoc-resh-6p})}\n");
    expected += "\\raisebox{3\\baselineskip}[0pt][0pt]{\\hypertarget{rubrikator-6-link}{}}\\par\\vskip-\\baselineskip\n";
    EXPECT_EQ(out.text(), expected);
    EXPECT_TRUE(duplicates.empty());  // the shared 5 gets no subsection, so no lookup meets both
}

TEST(Rubricator, NothingWithoutBookNumbers) {
    Tables tables = tablesWith({"3/1"});
    Sink out;
    EXPECT_EQ(spelledListing(tables, 0), "");
    EXPECT_TRUE(writeRubricator(tables, 0, out).empty());
    EXPECT_EQ(out.text(), "");
}

}  // namespace
