#include "index/dumps.hpp"

#include <gtest/gtest.h>

#include "test_tables.hpp"

namespace {

TEST(Dumps, EveryLiveElementPlainAndInLatexForm) {
    Tables t = tablesWith({"0/3", "1/1", "0/12"});
    IndexElement& x = addElement(t, {"X", {3, 12}, {12}, "n"});
    x.zz.push_back(&t.problems[1]);  // no book number
    x.zz_.push_back(nullptr);
    addElement(t, {"gone", {3}}).actual = 0;
    addElement(t, {"Y", {}, {}, "only"});
    Sink plain, tex;
    printElements(t.elements, plain);
    printElementsTex(t.elements, tex);
    EXPECT_EQ(plain.text(), "X -- 3, 12*, *; n\nY -- only\n");
    EXPECT_EQ(tex.text(),
              "\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]{\\hypertarget{elementID-2}}X"
              "\\mbox{$\\quad$}\\hyperlink{kvirtadoc-usl-3}{3}, \\hyperlink{kvirtadoc-usl-12}{12*}, *; n\\par\n"
              "\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]{\\hypertarget{elementID-4}}Y"
              "\\mbox{$\\quad$}only\\par\n");
}

TEST(Dumps, ManyStarredReferencesAndTextsCutAtAZeroByte) {
    Tables t = tablesWith({"0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "0/8", "0/9", "0/10", "0/11", "0/12",
                           "0/13", "0/14", "0/15", "0/16", "0/17", "0/18", "0/19"});
    std::vector<int> books, starred;
    for (int b = 1; b <= 19; ++b) books.push_back(b);
    for (int b = 1; b <= 19; ++b)
        if (b != 4) starred.push_back(b);
    IndexElement& x = addElement(t, {"X", books, starred});
    x.name += std::string_view("\0hidden", 7);
    x.note = std::string("n\0m", 3);
    Sink plain;
    printElements(t.elements, plain);
    EXPECT_EQ(plain.text(), "X -- 1*, 2*, 3*, 4, 5*, 6*, 7*, 8*, 9*, 10*, 11*, 12*, 13*, 14*, 15*, 16*, 17*, 18*, 19*; n\n");
}

}  // namespace
