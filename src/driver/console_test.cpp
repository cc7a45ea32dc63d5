#include "driver/console.hpp"

#include <gtest/gtest.h>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

TEST(Console, RefusedOptionInEachForm) {
    Sink console;
    optionRefused(console, OptionFault::NoDirectory, "-C", true);
    optionRefused(console, OptionFault::Unknown, "-x", false);
    EXPECT_EQ(console.text(), cp1251("olyindex: ошибка: после ключа -C нужно имя каталога\n"
                                     "\nОШИБКА: неизвестный ключ -x (список ключей: olyindex --help)\n")
                                  .view());
}

TEST(Console, ElementLineTraceInItsOrder) {
    Sink console;
    const TraceEntry trace[] = {{TraceStep::Point, 0},
                                {TraceStep::Stored, 12},
                                {TraceStep::Unresolved, 99},
                                {TraceStep::NoRoomForReferences, 3},
                                {TraceStep::NoRoomForStarred, 3}};
    elementLineTraced(console, trace, 5);
    EXPECT_EQ(console.text(), cp1251("<.>[12]\n[<!>5/99]\nnew zz: ошибка распределения памяти (Nzz=3).\n"
                                     "\nnew zz_: ошибка распределения памяти (Nzz=3).\n")
                                  .view());
}

TEST(Console, RefusedLines) {
    Sink console;
    lineRefused(console, Refusal::None, 3);
    sourceRefused(console, SourceRefusal::None, 3, "! x");
    EXPECT_EQ(console.text(), "");
    lineRefused(console, Refusal::Rejected, 7);
    lineRefused(console, Refusal::NoFreeRecord, 8);
    sourceRefused(console, SourceRefusal::NoRoom, 9, "! x");
    sourceRefused(console, SourceRefusal::LabelTooLong, 10, "! y");
    EXPECT_EQ(console.text(), cp1251("\nОШИБКА формата, строка 7\n\nОШИБКА поиска свободного элемента массива\n"
                                     "\nОШИБКА: недостаточно места в таблице источников\n"
                                     "\nОШИБКА в исходном файле в строке 10:\n! y\n")
                                  .view());
}

TEST(Console, ProblemsInTheirConsoleFormAlsoInADuplicate) {
    // An empty record shows nothing, a problem without placements its count.
    Tables t = tablesWith({"0/1 4/1", "0/2 4/1", "NS", "0/5 3/7.1"});
    t.problems.records.emplace_back();
    Sink console;
    elementsRead(console, 42, t.problems);
    EXPECT_EQ(console.text(), cp1251("\nПрочитано 42 позиций\n2: [0/1] [4/1]\n2: [0/2] [4/1]\n0:\n"
                                     "2: [0/5] [3/7.1]\n")
                                  .view());
    console = Sink{};
    duplicateFound(console, t.problems, {"X", &t.problems[0], &t.problems[1]});
    EXPECT_EQ(console.text(), cp1251("\nДУБЛИКАТ/X/\n1 2: [0/1] [4/1]\n2 2: [0/2] [4/1]\n").view());
}

TEST(Console, DumpsEveryLiveElementPlainAndInLatexForm) {
    Tables t = tablesWith({"0/3", "1/1", "0/12"});
    IndexElement& x = addElement(t, {"X", {3, 12}, {12}, "n"});
    x.zz.push_back(&t.problems[1]);  // no book number
    x.zz_.push_back(nullptr);
    addElement(t, {"gone", {3}}).actual = 0;
    addElement(t, {"Y", {}, {}, "only"});
    Sink plain, tex;
    elementsDumped(plain, t.elements);
    elementsDumpedAsLatex(tex, t.elements);
    EXPECT_EQ(plain.text(), "X -- 3, 12*, *; n\nY -- only\n");
    EXPECT_EQ(tex.text(),
              "\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]{\\hypertarget{elementID-2}}X"
              "\\mbox{$\\quad$}\\hyperlink{kvirtadoc-usl-3}{3}, \\hyperlink{kvirtadoc-usl-12}{12*}, *; n\\par\n"
              "\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]{\\hypertarget{elementID-4}}Y"
              "\\mbox{$\\quad$}only\\par\n");
}

TEST(Console, DumpsManyStarredReferencesAndTextsCutAtAZeroByte) {
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
    elementsDumped(plain, t.elements);
    EXPECT_EQ(plain.text(), "X -- 1*, 2*, 3*, 4, 5*, 6*, 7*, 8*, 9*, 10*, 11*, 12*, 13*, 14*, 15*, 16*, 17*, 18*, 19*; n\n");
}

TEST(Console, SourcesListedOnlyWhenUsed) {
    SourceTable sources{};
    sources[0] = {1, 3, "T3", "Full three"};
    sources[2] = {1, -1, "M", ""};
    Sink console;
    sourcesListed(console, sources);
    EXPECT_EQ(console.text(), "3/T3/Full three\n-1/M/\n");
}

}  // namespace
