#include "index/olympiad_index.hpp"

#include <gtest/gtest.h>

#include "index/entry.hpp"
#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

TEST(OlympiadIndex, OneDigitOlympiadsFirstWithASkipBeforeEachOlympiad) {
    Tables tables = tablesWith({"0/7", "0/12", "0/40", "0/41"});
    // Byte order puts olympiad 12 before olympiad 2.
    addElement(tables, {cp1251("=источник задачи: 12-1-Н-1"), {7}}).id = 131;
    addElement(tables, {cp1251("=источник задачи: 2-1-Н-3"), {40, 12}}).id = 57;
    addElement(tables, {cp1251("=источник задачи: 2-2-В-0"), {41}}).id = 58;
    Sink out;
    writeOlympiadIndex(tables, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Standard, cp1251("\n\\medskip\n"
                                       "\\element  {57} 2-1-Н-3 \\x \\z{12}, \\z{40} \\par\n"
                                       "\\element  {58} 2-2-В-0 \\x \\z{41} \\par\n"
                                       "\n\\medskip\n"
                                       "\\element {131} 12-1-Н-1 \\x \\z{7} \\par\n")));
}

TEST(OlympiadIndex, GroupsByTheFirstTwoBytesOfTheDesignation) {
    Tables tables = tablesWith({"0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "3/9"});
    addElement(tables, {cp1251("=источник задачи: 0-1-Н-1"), {1}});   // id 2
    addElement(tables, {cp1251("=источник задачи: 1-1-Н-1"), {2}});   // id 3
    addElement(tables, {cp1251("=источник задачи: 10-1-Н-1"), {3}});  // id 4
    addElement(tables, {cp1251("=источник задачи: 100-1-Н-1"), {}});  // id 5, no book number
    tables.elements.back().zz = {findProblem(tables.problems, 3, 9, 0)};
    tables.elements.back().zz_ = {nullptr};
    addElement(tables, {cp1251("=источник задачи: 11-1-Н-1"), {4}});  // id 6
    addElement(tables, {cp1251("=источник задачи: 7"), {5}});         // id 7
    addElement(tables, {cp1251("=источник задачи:8-1-Н-1"), {6}});    // id 8: no blank, no place
    addElement(tables, {cp1251("=источник задачи: Б-1"), {6}});       // id 9
    Sink out;
    writeOlympiadIndex(tables, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Standard, cp1251("\n\\medskip\n"
                                       "\\element   {3} 1-1-Н-1 \\x \\z{2} \\par\n"
                                       "\n\\medskip\n"
                                       "\\element   {7} 7 \\x \\z{5} \\par\n"
                                       "\n\\medskip\n"
                                       "\\element   {2} 0-1-Н-1 \\x \\z{1} \\par\n"
                                       "\n\\medskip\n"
                                       "\\element   {4} 10-1-Н-1 \\x \\z{3} \\par\n"
                                       "\\element   {5} 100-1-Н-1 \\x  \\par\n"
                                       "\n\\medskip\n"
                                       "\\element   {6} 11-1-Н-1 \\x \\z{4} \\par\n"
                                       "\n\\medskip\n"
                                       "\\element   {9} Б-1 \\x \\z{6} \\par\n")));
}

}  // namespace
