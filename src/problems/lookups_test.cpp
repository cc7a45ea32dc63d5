#include "problems/lookups.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "text/cp1251.hpp"

namespace {

ProblemTable tableOf(std::initializer_list<const char*> lines) {
    ProblemTable table;
    table.records.resize(lines.size());
    Sink log;
    std::size_t i = 0;
    for (const char* line : lines) EXPECT_EQ(parseProblemLine(table[i++], line, 1, log), 0) << line;
    indexPlacements(table);
    return table;
}

TEST(NumberInSource, AgreeingDisagreeingMissingEmpty) {
    ProblemTable t = tableOf({"0/5 0/5.1", "0/5 0/6", "3/1", "0/0"});
    EXPECT_EQ(numberInSource(&t[0], 0), 5);
    EXPECT_EQ(numberInSource(&t[1], 0), 0);
    EXPECT_EQ(numberInSource(&t[2], 0), 0);
    EXPECT_EQ(numberInSource(&t[2], 3), 1);
    EXPECT_EQ(numberInSource(&t[3], 0), 0);
    ProblemRecord empty;
    EXPECT_EQ(numberInSource(&empty, 0), -1);
}

TEST(PlacementOf, SubnumberZeroMatchesAny) {
    ProblemTable t = tableOf({"3/7", "3/7.1", "3/7.2"});
    for (auto& r : t) EXPECT_EQ(placementOf(&r, 3, 7, 0), &r);
    EXPECT_EQ(placementOf(&t[0], 3, 7, 2), nullptr);
    EXPECT_EQ(placementOf(&t[2], 3, 7, 2), &t[2]);
    EXPECT_EQ(placementOf(&t[0], 3, 8, 0), nullptr);
}

TEST(FindProblem, OneAnswerOrNone) {
    ProblemTable t = tableOf({"4/1.1", "4/1.2", "5/3", "5/3", "0/1 6/2"});
    EXPECT_EQ(findProblem(t, 4, 1, 0), nullptr);
    EXPECT_EQ(findProblem(t, 4, 1, 1), &t[0]);
    EXPECT_EQ(findProblem(t, 5, 3, 0), nullptr);
    EXPECT_EQ(findProblem(t, 6, 2, 0), &t[4]);
    EXPECT_EQ(findProblem(t, 7, 1, 0), nullptr);
}

TEST(FindProblem, SourcesWithNumbersFarApartAnswerAsDenseOnes) {
    ProblemTable t = tableOf({"7/1", "7/5000", "0/2 7/9999", "0/1", "0/3", "7/5000.2"});
    EXPECT_EQ(findProblem(t, 7, 1, 0), &t[0]);
    EXPECT_EQ(findProblem(t, 7, 5000, 0), nullptr);
    EXPECT_EQ(findProblem(t, 7, 5000, 2), &t[5]);
    EXPECT_EQ(findProblem(t, 7, 9999, 0), &t[2]);
    EXPECT_EQ(findProblem(t, 0, 2, 0), &t[2]);
    for (auto [source, number] : {std::pair{7, 0}, {7, 2}, {7, 4999}, {7, 10000}, {0, 0}, {0, 4}, {6, 1}, {8, 1}})
        EXPECT_EQ(findProblem(t, source, number, 0), nullptr) << source << "/" << number;
}

TEST(FindProblemAmongRefs, RepeatedRefCountsOnceTwoProblemsAreReported) {
    ProblemTable t = tableOf({"0/1 4/1", "0/2 4/1"});
    std::vector<DuplicateLookup> duplicates;
    std::vector<ProblemRef> same{&t[0], &t[0]};
    EXPECT_EQ(findProblemAmongRefs(4, 1, "X", same, 0, duplicates), &t[0]);
    EXPECT_TRUE(duplicates.empty());
    std::vector<ProblemRef> two{&t[0], &t[1]};
    EXPECT_EQ(findProblemAmongRefs(4, 1, "X", two, 0, duplicates), nullptr);
    ASSERT_EQ(duplicates.size(), 1u);
    EXPECT_EQ(duplicates[0].element, "X");
    EXPECT_EQ(duplicates[0].kept, &t[0]);
    EXPECT_EQ(duplicates[0].other, &t[1]);
    EXPECT_EQ(findProblemAmongRefs(0, 2, "X", two, 0, duplicates), &t[1]);
    EXPECT_EQ(duplicates.size(), 1u);
}

TEST(CompareByNumberInSource, AscendingThenTheUnnumbered) {
    ProblemTable t = tableOf({"0/3", "1/1", "0/1", "0/2"});
    std::vector<ProblemRef> refs{&t[0], &t[1], &t[2], &t[3]};
    std::stable_sort(refs.begin(), refs.end(),
                     [](ProblemRef a, ProblemRef b) { return compareByNumberInSource(a, b, 0) < 0; });
    EXPECT_EQ(refs, (std::vector<ProblemRef>{&t[2], &t[3], &t[0], &t[1]}));
    EXPECT_EQ(compareByNumberInSource(&t[1], &t[1], 0), 0);
}

}  // namespace
