#include "index/russian_index.hpp"

#include <gtest/gtest.h>

#include "index/entry.hpp"
#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

TEST(RussianIndex, TopicsWithoutThePrefixAndWithTheirNotes) {
    Tables tables = tablesWith({"0/14", "0/29", "0/3"});
    addElement(tables, {cp1251("=РЯ"), {3}});
    addElement(tables, {cp1251("=РЯглагол"), {3}});
    addElement(tables, {cp1251("=РЯ вид глагола"), {29, 14}, {}, cp1251("ср. время")}).id = 305;
    addElement(tables, {cp1251("=РЯ падеж"), {}}).id = 306;
    addElement(tables, {cp1251("вид глагола"), {3}});
    Sink out;
    writeRussianIndex(tables, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Standard, cp1251("\\element {305} вид глагола \\x \\z{14}, \\z{29}; ср. время \\par\n"
                                       "\\element {306} падеж \\x  \\par\n")));
}

}  // namespace
