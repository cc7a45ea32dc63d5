#include "index/full_index.hpp"

#include <gtest/gtest.h>

#include <string>

#include "index/entry.hpp"
#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

// A table as ordering leaves it: categories, a language, terms, then a merged-away element.
Tables sampleTables() {
    Tables tables = tablesWith({"0/3", "0/17", "0/25"});
    addElement(tables, {cp1251("=РЯ вид"), {3}});
    addElement(tables, {cp1251("=источник задачи: 2-1-Н-3"), {17}});
    addElement(tables, {cp1251("=автор условия Автор А. А."), {25}});
    addElement(tables, {cp1251("{}язык жестов"), {3}});
    addElement(tables, {cp1251("абазинский язык"), {25, 3, 17}, {17}});
    addElement(tables, {cp1251("падеж"), {17}, {}, cp1251("см. род")});
    addElement(tables, {"", {}});
    tables.elements.back().actual = 0;
    return tables;
}

TEST(FullIndex, EveryLiveElementButTheCategoriesWithSortedNumbers) {
    Tables tables = sampleTables();
    Sink out;
    writeFullIndex(tables, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Standard, cp1251("\\element   {5} {}язык жестов \\x \\z{3} \\par\n"
                                       "\\element   {6} абазинский язык \\x \\z{3}, \\zz{17}, \\z{25} \\par\n"
                                       "\\element   {7} падеж \\x \\z{17}; см. род \\par\n")));
}

TEST(TermsIndex, LeavesOutTheLanguages) {
    Tables tables = sampleTables();
    Sink out;
    writeTermsIndex(tables, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Standard, cp1251("\\element   {5} {}язык жестов \\x \\z{3} \\par\n"
                                       "\\element   {7} падеж \\x \\z{17}; см. род \\par\n")));
}

}  // namespace
