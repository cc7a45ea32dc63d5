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

}  // namespace
