#include "problems/problem.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.hpp"

namespace {

TEST(PlacementToken, AcceptsEveryWellFormedShape) {
    struct Case {
        const char* token;
        int source, number, subnumber;
    } cases[] = {
        {"1/2", 1, 2, -1},      {"1/2.", 1, 2, -1},         {"1/2.0", 1, 2, 0},
        {"0012/7", 12, 7, -1},  {"9999/9999.9999", 9999, 9999, 9999}, {"0/0", 0, 0, -1},
        {"3/7 rest of line", 3, 7, -1},
    };
    for (const Case& c : cases) {
        Placement p;
        Sink log;
        ASSERT_EQ(parsePlacement(p, c.token, log), 0) << c.token;
        EXPECT_EQ(p.present, 1) << c.token;
        EXPECT_EQ(p.source, c.source) << c.token;
        EXPECT_EQ(p.number, c.number) << c.token;
        EXPECT_EQ(p.subnumber, c.subnumber) << c.token;
    }
}

TEST(PlacementToken, RejectsEveryMalformedForm) {
    for (auto token : {"1/.5", "1.5/2", "/5", "5/", "1/2/3", "1/2.3.4", "1-2", "1/2a", "12345/1", "1/12345",
                       "1/2.12345", "ns", "N", "NSX", "1/2\t3/4", "a1/2"}) {
        Placement p;
        Sink log;
        EXPECT_EQ(parsePlacement(p, token, log), -1) << token;
        EXPECT_EQ(p.present, 0) << token;
    }
}

TEST(ProblemLine, TracesEveryTokenAndTheRecordToTheLog) {
    ProblemRecord r;
    Sink log;
    ASSERT_EQ(parseProblemLine(r, "0/5 3/7.1 NS", 10, log), 0);
    EXPECT_EQ(log.text(), cp1251("\n\nПРОЧИТАНА СТРОКА: 0/5 3/7.1 NS\n0/5"
                          "\n\nПРОЧИТАНА СТРОКА: 3/7.1 NS\n3/7.1\na").view());
    EXPECT_EQ(r.defined, 1);
    EXPECT_EQ(r.nsFlag, 1);
}

TEST(ProblemLine, NsAloneAndAnywhere) {
    ProblemRecord r;
    Sink log;
    ASSERT_EQ(parseProblemLine(r, "NS", 1, log), 0);
    EXPECT_EQ(r.defined, 1);
    EXPECT_EQ(presentCount(r), 0);
    ASSERT_EQ(parseProblemLine(r, "NS 0/1 NS 2/3", 1, log), 0);
    EXPECT_EQ(r.nsFlag, 1);
    EXPECT_EQ(r.placements[1].source, 2);
}

TEST(ProblemLine, ElevenPlacementsFitTwelveRejectTheLine) {
    std::string line;
    for (int i = 1; i <= 11; ++i) line += "1/" + std::to_string(i) + " ";
    ProblemRecord r;
    Sink log;
    EXPECT_EQ(parseProblemLine(r, line, 1, log), 0);
    EXPECT_EQ(r.placements[10].number, 11);
    EXPECT_EQ(parseProblemLine(r, line + "1/12", 1, log), -1);
    EXPECT_EQ(r.defined, 0);
}

TEST(ProblemLine, RejectedLineLeavesNothingBehind) {
    ProblemRecord r;
    Sink log;
    ASSERT_EQ(parseProblemLine(r, "0/1.3 2/2.5 NS x", 1, log), -1);
    EXPECT_EQ(r.defined, 0);
    EXPECT_EQ(r.nsFlag, 0);
    EXPECT_EQ(r.placements[0].present, 0);
    EXPECT_EQ(r.placements[0].subnumber, -1);
    ASSERT_EQ(parseProblemLine(r, "0/1", 1, log), 0);
    EXPECT_EQ(r.placements[0].subnumber, -1);
    EXPECT_EQ(r.placements[1].present, 0);
}

TEST(ProblemForms, File) {
    ProblemRecord r;
    Sink log, file;
    writeProblem(r, file);
    ASSERT_EQ(parseProblemLine(r, "0/5 3/7.1", 1, log), 0);
    writeProblem(r, file);
    EXPECT_EQ(file.text(), "<null><2: 0/5 3/7.1>");
}

TEST(ProblemTable, FailedLineFreesItsRecordForTheNext) {
    ProblemTable table;
    table.records.resize(2);
    Sink log;
    std::size_t firstFree = 0;
    EXPECT_EQ(storeProblemLine(table, firstFree, {"0/1 bad", "0/1 bad", 7}, log).refusal, Refusal::Rejected);
    EXPECT_EQ(storeProblemLine(table, firstFree, {"0/2", "0/2", 8}, log).record, &table[0]);
    EXPECT_EQ(storeProblemLine(table, firstFree, {"0/3", "0/3", 9}, log).record, &table[1]);
    StoredProblem last = storeProblemLine(table, firstFree, {"0/4", "0/4", 10}, log);
    EXPECT_EQ(last.record, nullptr);
    EXPECT_EQ(last.refusal, Refusal::NoFreeRecord);
    EXPECT_EQ(table[0].placements[0].number, 2);
    EXPECT_EQ(table[1].placements[0].number, 3);
    EXPECT_EQ(handleOf(table, &table[1]), 2);
}

}  // namespace
