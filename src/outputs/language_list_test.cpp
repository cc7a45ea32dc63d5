#include "outputs/language_list.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

constexpr auto kCategory = cp1251("=язык жестов");
constexpr auto kAbaza = cp1251("абазинский язык");
constexpr auto kCase = cp1251("падеж");

// Appends a reference to a problem that has no usable book number.
void addUnnumbered(IndexElement& element, ProblemRef problem, bool starred) {
    element.zz.push_back(problem);
    element.zz_.push_back(nullptr);
    if (starred) *std::find(element.zz_.begin(), element.zz_.end(), nullptr) = problem;
}

TEST(LanguageList, LinksWithStarsAndAStarForEachUnnumberedProblem) {
    Tables tables = tablesWith({"0/3", "0/1", "5/9", "0/2", "5/10", "0/4"});
    addElement(tables, {kCategory, {4, 1}});
    addElement(tables, {kAbaza, {3, 1, 2}, {2}});
    addElement(tables, {kCase, {1}});
    IndexElement& abaza = tables.elements[1];
    addUnnumbered(abaza, &tables.problems[2], true);
    addUnnumbered(abaza, &tables.problems[4], false);

    Sink out;
    writeLanguageList(tables, out);

    Bytes expected(cp1251("\\noindent абазинский язык\\mbox{$\\quad$}"));
    expected += "\\hyperlink{kvirtadoc-usl-1}{1}, \\hyperlink{kvirtadoc-usl-2}{2*}, "
                "\\hyperlink{kvirtadoc-usl-3}{3}, *, *\\par\n";
    EXPECT_EQ(out.text(), expected);  // neither the "=" language nor the term is written
}

TEST(LanguageList, NotesRepeatsAndEmptyReferenceLists) {
    Tables tables = tablesWith({"0/1", "0/2"});
    addElement(tables, {cp1251("Язык тела"), {}, {}, cp1251("нет задач")});
    addElement(tables, {kAbaza, {2, 1, 2}, {}, cp1251("см. тж. X")});
    addElement(tables, {cp1251("язык жестов"), {}});

    Sink out;
    writeLanguageList(tables, out);

    Bytes expected(cp1251("\\noindent Язык тела\\mbox{$\\quad$}нет задач\\par\n"));
    expected += cp1251("\\noindent абазинский язык\\mbox{$\\quad$}");
    expected += "\\hyperlink{kvirtadoc-usl-1}{1}, \\hyperlink{kvirtadoc-usl-2}{2}, \\hyperlink{kvirtadoc-usl-2}{2}";
    expected += cp1251("; см. тж. X\\par\n");
    expected += cp1251("\\noindent язык жестов\\mbox{$\\quad$}\\par\n");
    EXPECT_EQ(out.text(), expected);
}

TEST(LanguageList, NoLanguagesLeavesTheFileEmpty) {
    Tables tables = tablesWith({"0/1"});
    addElement(tables, {kCase, {1}});
    addElement(tables, {cp1251("{}язык жестов"), {1}});
    Sink out;
    writeLanguageList(tables, out);
    EXPECT_EQ(out.text(), "");
}

}  // namespace
