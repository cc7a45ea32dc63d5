#include "elements/ordering.hpp"

#include <gtest/gtest.h>

#include <utility>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

int compareNames(std::string_view a, std::string_view b) {
    IndexElement x, y;
    x.actual = y.actual = 1;
    x.name = a;
    y.name = b;
    return compareElements(x, y);
}

TEST(CompareElements, IgnoresPairsRecognisedLeftToRight) {
    EXPECT_EQ(compareNames("<<a>>b", "ab"), 0);
    EXPECT_EQ(compareNames("<<<a", "<a"), 0);
    EXPECT_EQ(compareNames("<>a><", "<>a><"), 0);
    EXPECT_EQ(compareNames("<<>>", ""), 0);
    EXPECT_EQ(compareNames("><<>", "<<><<>"), 0);  // both keys are ">>": "<<" is tested first
    EXPECT_LT(compareNames("<<a", "a<"), 0);   // "a" is shorter than "a<"
    EXPECT_GT(compareNames("b", "<<a>>"), 0);
    EXPECT_LT(compareNames("z", cp1251("а")), 0);  // bytes compare unsigned
}

TEST(CompareElements, FreeLastLiveByUnsignedBytes) {
    IndexElement free, digit, equals, latin, capital, small, yo;
    for (auto* e : {&digit, &equals, &latin, &capital, &small, &yo}) e->actual = 1;
    digit.name = "1";
    equals.name = "=x";
    latin.name = "z";
    capital.name = cp1251("Я").view();
    small.name = cp1251("а").view();
    yo.name = cp1251("Ё").view();
    std::vector<const IndexElement*> order{&digit, &equals, &latin, &yo, &capital, &small, &free};
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        EXPECT_LT(compareElements(*order[i], *order[i + 1]), 0) << i;
    EXPECT_EQ(compareElements(free, free), 0);
    IndexElement quoted;
    quoted.actual = 1;
    quoted.name = "<<z>>";
    EXPECT_EQ(compareElements(quoted, latin), 0);
}

TEST(MergeElements, JoinsArraysAndNotesAndTracesThem) {
    Tables t = tablesWith({"0/1", "0/2"});
    addElement(t, {"A", {2}, {2}, "see X"});
    IndexElement b = addElement(t, {"A", {1, 2}, {}, "see Y"});
    IndexElement& a = t.elements.front();
    Sink log;
    mergeElements(a, b, log);  // leaves the order to the sort after the merging
    EXPECT_EQ(a.zz, (std::vector<ProblemRef>{bookProblem(t, 2), bookProblem(t, 1), bookProblem(t, 2)}));
    EXPECT_EQ(a.zz_, (std::vector<ProblemRef>{bookProblem(t, 2), nullptr, nullptr}));
    EXPECT_EQ(a.note, "see X; see Y");
    EXPECT_EQ(log.text(), "   1+2   /A/A/ <1: 0/2> <1: 0/1> <1: 0/2>");
    IndexElement c;
    c.actual = 1;
    c.name = "A";
    c.note = "z";
    IndexElement d = c;
    d.note.clear();
    mergeElements(d, c, log);
    EXPECT_EQ(d.note, "z");
}

TEST(OrderingSteps, ThreeEqualNamesNeedTwoMergingPasses) {
    Tables t = tablesWith({"0/3", "0/1", "0/2"});
    addElement(t, {"B", {3}});
    IndexElement& read = addElement(t, {"A", {1, 3}});
    std::swap(read.zz[0], read.zz[1]);  // as the line gave them
    t.elements.emplace_back();  // a free slot
    addElement(t, {"A", {2}});
    addElement(t, {"<<A>>", {}, {}, "n"});
    Sink log3, log4, log5;
    logNames(t.elements, log3);
    sortElements(t.elements);
    logNames(t.elements, log4);
    mergeEqualNames(t.elements, log5);
    sortReferences(t.elements);
    EXPECT_EQ(log3.text(), "B\nA\nnull\nA\n<<A>>\n");
    EXPECT_EQ(log4.text(), "A\nA\n<<A>>\nB\nnull\n");
    EXPECT_EQ(log5.text(), cp1251("\n\nНАЧАЛО СЛЕДУЮЩЕГО ПРОХОДА\n\n\n(0,1)    2+1   /A/A/ <1: 0/3> <1: 0/1> <1: 0/2>"
                           "\n\nНАЧАЛО СЛЕДУЮЩЕГО ПРОХОДА\n\n\n(0,1)    3+0   /A/<<A>>/ <1: 0/3> <1: 0/1> <1: 0/2>"
                           "\n\nНАЧАЛО СЛЕДУЮЩЕГО ПРОХОДА\n").view());
    const IndexElement& a = t.elements[0];
    EXPECT_EQ(a.name, "A");
    EXPECT_EQ(a.id, 3);  // the element that stood first keeps its id
    EXPECT_EQ(a.note, "n");
    EXPECT_EQ(a.zz, (std::vector<ProblemRef>{bookProblem(t, 1), bookProblem(t, 2), bookProblem(t, 3)}));
    EXPECT_EQ(t.elements[1].name, "B");
    EXPECT_EQ(t.elements[2].actual, 0);
}

TEST(OrderingSteps, TheRussianOrderMovesWholeElementsAndLeavesFreeOnesLast) {
    Tables t = tablesWith({"0/1"});
    addElement(t, {cp1251("Яма"), {1}});
    addElement(t, {"IPA", {1}});
    t.elements.emplace_back();  // a free slot
    addElement(t, {cp1251("азбука"), {1}});
    addElement(t, {"1", {1}});
    auto names = [&t] {
        std::vector<std::string> all;
        for (const IndexElement& e : t.elements) all.push_back(e.name);
        return all;
    };
    const std::vector<std::string> asRead = names();
    sortInNameOrder(t.elements, NameOrder::Bytewise);
    EXPECT_EQ(names(), asRead);
    sortInNameOrder(t.elements, NameOrder::Russian);
    EXPECT_EQ(names(), (std::vector<std::string>{"1", std::string(cp1251("азбука")), std::string(cp1251("Яма")),
                                                 "IPA", ""}));
    EXPECT_EQ(t.elements[1].id, 5);  // азбука's, drawn at its place after the free slot
    EXPECT_EQ(t.elements[4].actual, 0);
}

TEST(SortReferences, ByBookNumberEqualOnesInTheirOrderUnnumberedLast) {
    // Two records carry book number 1; "5/9" has no book number, the empty record none at all.
    Tables t = tablesWith({"0/3", "0/1", "5/9", "0/1 2/2"});
    const ProblemRecord empty;
    ProblemRef three = &t.problems[0], one = &t.problems[1], none = &t.problems[2], alsoOne = &t.problems[3];
    IndexElement e;
    e.actual = 1;
    e.zz = {none, three, alsoOne, &empty, one};
    sortReferences(e);
    EXPECT_EQ(e.zz, (std::vector<ProblemRef>{alsoOne, one, three, none, &empty}));
}

}  // namespace
