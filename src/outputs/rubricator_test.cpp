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

TEST(MaxBookNumber, LargestUsableBookNumberIsReported) {
    Sink console;
    // The record placed as 0/5 and 0/9 has no single book number, so 9 does not count.
    EXPECT_EQ(computeMaxBookNumber(tablesWith({"0/3", "0/7 2/40", "0/5 0/9", "0/2"}), console), 7);
    EXPECT_EQ(console.text(), Bytes(cp1251("\n\nМаксимальный номер задачи в источнике 0 равен 7")));

    console = Sink{};
    EXPECT_EQ(computeMaxBookNumber(tablesWith({"1/3", "0/0", "NS"}), console), 0);
    EXPECT_EQ(console.text(), Bytes(cp1251("\n\nМаксимальный номер задачи в источнике 0 равен 0")));
}

TEST(ElementsByBookNumber, EveryNumberGetsItsHeadingAndItsLiveElements) {
    Tables tables = rubricatorTables();
    Sink console;
    printElementsByBookNumber(tables, 6, console);

    Bytes expected(cp1251("\n\n\n1:\n=РЯ глагол\n=автор условия Иванов\nпадеж\n"));
    expected += cp1251("\n\n\n2:\n=автор условия Иванов\n");
    expected += "\n\n\n3:\n";
    expected += cp1251("\n\n\n4:\nпадеж\n");
    // For 5 the element holding both problems is reported and not listed, while one
    // holding a single one of them is listed; the report comes before the names.
    expected += "\n\n\n5:\n";
    expected += cp1251("\nДУБЛИКАТ/число/\n4 2: [0/5] [1/1]\n5 2: [0/5] [1/2]\n");
    expected += cp1251("род\n");
    expected += "\n\n\n6:\n";
    EXPECT_EQ(console.text(), expected);
}

TEST(Rubricator, OneSubsectionPerProblemWithItsElements) {
    Tables tables = rubricatorTables();
    Sink out, console;
    writeRubricator(tables, 6, out, console);

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
    EXPECT_EQ(console.text(), "");
}

TEST(Rubricator, NothingWithoutBookNumbers) {
    Tables tables = tablesWith({"3/1"});
    Sink out, console;
    printElementsByBookNumber(tables, 0, console);
    writeRubricator(tables, 0, out, console);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(console.text(), "");
}

}  // namespace
