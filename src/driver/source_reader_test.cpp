#include "driver/source_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp1251.hpp"

namespace {

struct Seen {
    std::string text;
    long lineNumber;
    SectionMode mode;
    std::int32_t source;
    bool operator==(const Seen&) const = default;
};

struct Pass {
    Flow flow;
    std::vector<Seen> lines;
    Sink copy, console;
    long lineCount = 0;
};

Pass readAll(const std::string& source) {
    Pass pass;
    SourceLines read = readSourceLines(source, nullptr, Faults::Stop);
    pass.flow = walkSource(read, PassSinks{pass.copy, pass.console}, [&](const ContentLine& l) {
        pass.lines.push_back({std::string(l.text), l.lineNumber, l.mode, l.source});
    });
    pass.lineCount = read.lineCount;
    return pass;
}

TEST(SourceReader, MarkersSectionsAndCleaning) {
    using enum SectionMode;
    Pass p = readAll("  #!  // problems\n0/1   2/3\n\n   \n// only a comment\n#/0012\nA -- 1\n#/\nB\n#/-\nC\t\n"
                     "#!x\n#/ 1\n#/1a\n#/--\nx http://y\r\n");
    ASSERT_EQ(p.flow, Flow::Go);
    EXPECT_EQ(p.lineCount, 16);
    EXPECT_EQ(p.lines, (std::vector<Seen>{{"0/1 2/3", 2, Problems, 0},
                                          {"A -- 1", 7, Elements, 12},
                                          {"B", 9, Elements, 0},
                                          {"C\t", 11, Elements, -1},
                                          {"#!x", 12, Elements, -1},
                                          {"#/ 1", 13, Elements, -1},
                                          {"#/1a", 14, Elements, -1},
                                          {"#/--", 15, Elements, -1},
                                          {"x http:", 16, Elements, -1}}));
    EXPECT_EQ(p.copy.text(), "#!\n0/1 2/3\n#/0012\nA -- 1\n#/\nB\n#/-\nC\t\n#!x\n#/ 1\n#/1a\n#/--\nx http:\n");
    EXPECT_EQ(p.console.text(), "");
}

TEST(SourceReader, ContentBeforeAnyMarkerStops) {
    Pass p = readAll("\n#! x\n#!\n");
    EXPECT_EQ(p.flow, Flow::Stop);
    EXPECT_EQ(p.console.text(), cp1251("\nОШИБКА в исходном файле в строке 2:\n#! x\n").view());
    EXPECT_EQ(p.copy.text(), "#! x\n");
    EXPECT_TRUE(p.lines.empty());
}

// The boundaries themselves are tested where they are decided: the length
// limit with the line reader, the source number with the digits; whole runs
// test both again with their messages.

}  // namespace
