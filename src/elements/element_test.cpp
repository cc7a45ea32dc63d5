#include "elements/element.hpp"

#include <gtest/gtest.h>

#include "text/cp1251.hpp"

namespace {

struct Parsing {
    ProblemTable problems;
    std::int32_t positionsRead = 0;
    Sink log2;
    ElementTrace trace;

    explicit Parsing(std::initializer_list<const char*> lines) {
        problems.records.resize(lines.size());
        Sink log1;
        std::size_t i = 0;
        for (const char* line : lines) {
            EXPECT_EQ(parseProblemLine(problems[i], line, static_cast<std::int64_t>(i + 1), log1), 0);
            ++i;
        }
        indexPlacements(problems);
    }
    int parse(IndexElement& e, std::string_view line, std::int32_t source) {
        return parseElementLine(e, std::string(line), source, ElementParse{problems, positionsRead, log2, &trace});
    }
    // The trace spelled short: "." a point read, "12" reference 12 stored,
    // "!12" reference 12 unresolved, "zz 3" / "zz_ 3" no memory for 3 references.
    std::string traced() const {
        std::string spelled;
        for (const TraceEntry& entry : trace) {
            if (!spelled.empty()) spelled += ' ';
            switch (entry.step) {
                case TraceStep::Point: spelled += '.'; break;
                case TraceStep::Unresolved: spelled += '!' + std::to_string(entry.number); break;
                case TraceStep::Stored: spelled += std::to_string(entry.number); break;
                case TraceStep::NoRoomForReferences: spelled += "zz " + std::to_string(entry.number); break;
                case TraceStep::NoRoomForStarred: spelled += "zz_ " + std::to_string(entry.number); break;
            }
        }
        return spelled;
    }
};

// Problems 1 to 4 of the book, placed in source 5 as 12, 34, 7.2 and 13.
Parsing bookOfFive() {
    return Parsing{"0/1 5/12", "0/2 5/34", "0/3 5/7.2", "0/4 5/13"};
}

TEST(ElementLine, ReferencesStarsTraceAndLog) {
    Parsing p = bookOfFive();
    IndexElement e;
    ASSERT_EQ(p.parse(e, cp1251("Падеж -- 12, 34*, 7.2"), 5), 0);
    EXPECT_EQ(e.actual, 1);
    EXPECT_EQ(e.name, cp1251("Падеж").view());
    EXPECT_EQ(e.zz, (std::vector<ProblemRef>{&p.problems[0], &p.problems[1], &p.problems[2]}));
    EXPECT_EQ(e.zz_, (std::vector<ProblemRef>{&p.problems[1]}));
    EXPECT_EQ(e.note, "");
    // The first scan reads the point of 7.2; the second reads it again and stores every reference.
    EXPECT_EQ(p.traced(), ". 12 34 . 7");
    EXPECT_EQ(p.log2.text(), cp1251("\n\nПРОЧИТАНА СТРОКА: Падеж -- 12, 34*, 7.2\n5/12 1\n5/34 2\n5/7.2 3").view());
    EXPECT_EQ(p.positionsRead, 3);
}

TEST(ElementLine, ManyReferencesResolveInOrder) {
    // 72 references: past the 64 the first scan hands on to the second.
    Parsing p = bookOfFive();
    std::string line = "X -- ";
    std::vector<ProblemRef> expected;
    for (int round = 0; round < 18; ++round) {
        line += "12, 34, 7.2, 13, ";
        for (std::size_t i = 0; i < 4; ++i) expected.push_back(&p.problems[i]);
    }
    line.resize(line.size() - 2);
    IndexElement e;
    ASSERT_EQ(p.parse(e, line, 5), 0);
    EXPECT_EQ(e.zz, expected);
    EXPECT_EQ(p.positionsRead, 72);
}

TEST(ElementLine, NotesKeepWhatIsNotAReference) {
    struct Case {
        const char* line;
        std::size_t refs;
        std::string note;
    } cases[] = {
        {"X -- see also Y, 12", 1, "see also Y"},
        {"X -- 12, see Y", 1, ", see Y"},
        {"X -- 12 [comment], 13", 2, "[comment]"},
        {"X --", 0, ""},
        {"-- 12", 1, ""},
        {"X -- 12, 12", 2, ""},
    };
    for (const Case& c : cases) {
        Parsing p = bookOfFive();
        IndexElement e;
        ASSERT_EQ(p.parse(e, c.line, 5), 0) << c.line;
        EXPECT_EQ(e.zz.size(), c.refs) << c.line;
        EXPECT_EQ(e.note, c.note) << c.line;
    }
}

TEST(ElementLine, FormatErrorsClearTheElement) {
    for (auto line : {"X 12", "X -- 12 13", "X -- 12a", "X -- #12", "X -- 12[1]", "X -- 12345", "X -- 7.2222",
                      "X -- 12**", "X -- 7.2.2", "X -- 12*3", "a---b -- 12", "X -- 99",
                      "X -- 12, 34 *"}) {
        Parsing p = bookOfFive();
        IndexElement e;
        e.id = 9;
        EXPECT_EQ(p.parse(e, line, 5), -1) << line;
        EXPECT_EQ(e.actual, 0) << line;
        EXPECT_EQ(e.name, "") << line;
        EXPECT_TRUE(e.zz.empty()) << line;
        EXPECT_EQ(e.id, 9) << line;
    }
}

TEST(ElementLine, UnresolvedAndPointOnlyTokensAreNamed) {
    Parsing p{"0/1 5/12.1", "0/2 5/12.2"};
    IndexElement e;
    EXPECT_EQ(p.parse(e, "X -- 12", 5), -1);
    EXPECT_EQ(p.parse(e, "X -- 12.", 5), -1);
    EXPECT_EQ(p.traced(), "!12 . !12");
    EXPECT_EQ(p.positionsRead, 1);  // the ambiguous token counts, the point-only one does not
    EXPECT_EQ(p.parse(e, "X -- 12.1", 5), 0);
    EXPECT_EQ(e.zz.front(), &p.problems[0]);
}

TEST(ElementLine, APointAfterTheStarIsReadThenTheTokenFails) {
    Parsing p = bookOfFive();
    IndexElement e;
    EXPECT_EQ(p.parse(e, "X -- 12*.", 5), -1);  // no subnumber digits after the point
    EXPECT_EQ(p.traced(), ". !12");
    p.trace.clear();
    EXPECT_EQ(p.parse(e, "X -- 12*.5", 5), -1);  // a digit after the star
    EXPECT_EQ(p.traced(), ".");
}

TEST(ElementLine, SectionWithoutNumbers) {
    Parsing p{};
    IndexElement e;
    ASSERT_EQ(p.parse(e, "X -- 12", -1), 0);
    EXPECT_EQ(e.name, "X");
    EXPECT_EQ(e.noNumber, 1);
    EXPECT_TRUE(e.zz.empty());
    EXPECT_EQ(p.traced(), "");
    EXPECT_EQ(p.log2.text(), "");
    IndexElement whole;
    ASSERT_EQ(p.parse(whole, "--a b", -1), 0);
    EXPECT_EQ(whole.name, "--a b");
}

TEST(ElementTable, IdsStartAtTwoAndFailedLinesFreeTheirSlot) {
    std::int32_t idCounter = 1;
    ElementTable table = makeElementTable(2, idCounter);
    EXPECT_EQ(table[0].id, 2);
    EXPECT_EQ(table[1].id, 3);
    Parsing p = bookOfFive();
    ElementParse context{p.problems, p.positionsRead, p.log2, &p.trace};
    std::size_t firstFree = 0;
    StoredElement a = storeElementLine(table, firstFree, {"A -- 99", "A -- 99", 3}, 5, context);
    StoredElement b = storeElementLine(table, firstFree, {"B -- 12", "B -- 12", 4}, 5, context);
    StoredElement c = storeElementLine(table, firstFree, {"C -- 13", "C -- 13", 5}, 5, context);
    StoredElement d = storeElementLine(table, firstFree, {"D -- 13", "D -- 13", 6}, 5, context);
    EXPECT_EQ(table[0].name, "B");
    EXPECT_EQ(table[1].name, "C");
    EXPECT_EQ(a.element, nullptr);
    EXPECT_EQ(a.refusal, Refusal::Rejected);
    EXPECT_EQ(b.element, &table[0]);
    EXPECT_EQ(c.element, &table[1]);
    EXPECT_EQ(b.refusal, Refusal::None);
    EXPECT_EQ(d.element, nullptr);
    EXPECT_EQ(d.refusal, Refusal::NoFreeRecord);
    EXPECT_EQ(p.traced(), "!99 12 13");
}

TEST(References, RefersToTheVeryRecordOfALiveElementAndStarsAmongTheStarred) {
    Parsing p{"0/5 1/1", "0/5 1/2"};
    IndexElement e;
    ASSERT_EQ(p.parse(e, "X -- 1*", 1), 0);
    ProblemRef first = &p.problems[0];
    ProblemRef second = &p.problems[1];  // same book number, another record
    EXPECT_TRUE(refersTo(e, first));
    EXPECT_FALSE(refersTo(e, second));
    EXPECT_TRUE(isStarred(e, first));
    EXPECT_FALSE(isStarred(e, second));
    e.actual = 0;
    EXPECT_FALSE(refersTo(e, first));
}

}  // namespace
