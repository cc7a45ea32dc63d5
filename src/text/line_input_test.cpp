#include "text/line_input.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<LineRead> readAll(const std::string& text, std::vector<std::string>* lines = nullptr) {
    std::vector<LineRead> results;
    std::size_t pos = 0;
    std::string_view line;
    for (LineRead r; (r = readLine(text, pos, line)) != LineRead::End;) {
        results.push_back(r);
        if (lines) lines->push_back(std::string(line));
        if (r == LineRead::TooLong) break;
    }
    return results;
}

TEST(ReadLine, LengthLimitCountsTheLineFeed) {
    using enum LineRead;
    EXPECT_EQ(readAll(std::string(2047, 'a') + "\n"), std::vector{Line});
    EXPECT_EQ(readAll(std::string(2048, 'a') + "\n"), std::vector{TooLong});
    EXPECT_EQ(readAll(std::string(2048, 'a')), std::vector{Line});
    EXPECT_EQ(readAll(std::string(2049, 'a')), std::vector{TooLong});
    EXPECT_EQ(readAll(std::string(2047, 'a') + "\r\n"), std::vector{Line});
    EXPECT_EQ(readAll(std::string(2048, 'a') + "\r\n"), std::vector{TooLong});
    EXPECT_EQ(readAll(std::string(100000, 'a')), std::vector{TooLong});
}

TEST(ReadLine, LastLineWithoutLineFeedAndEmptyLines) {
    std::vector<std::string> lines;
    EXPECT_EQ(readAll("a\n\nb", &lines).size(), 3u);
    EXPECT_EQ(lines, (std::vector<std::string>{"a\n", "\n", "b"}));
    EXPECT_TRUE(readAll("").empty());
}

TEST(CutLine, AtLineEndCarriageReturnZeroOrComment) {
    for (auto [in, out] : {std::pair{"ab\n", "ab"}, {"ab\r\n", "ab"}, {"a\rb\n", "a"}, {"http://x", "http:"},
                           {"a // b", "a "}, {"//", ""}, {"a/b", "a/b"},
                           // Long lines are scanned sixteen bytes at a time: a comment across the
                           // edge of the first sixteen, cuts after them, single slashes.
                           {"0123456789abcde//x", "0123456789abcde"},
                           {"0123456/89abcdef0123456789/x/y\r\n", "0123456/89abcdef0123456789/x/y"},
                           {"0123456789abcdefghijklmnopqrstuv\n", "0123456789abcdefghijklmnopqrstuv"}}) {
        std::string line = in;
        cutLine(line);
        EXPECT_EQ(line, out) << in;
    }
    std::string zero("a\0b", 3);
    cutLine(zero);
    EXPECT_EQ(zero, "a");
}

TEST(CollapseSpaces, FoldsOnlyTheSpace) {
    for (auto [in, out] : {std::pair{"  a   b  ", "a b"}, {"", ""}, {"   ", ""}, {"\t a \t", "\t a \t"},
                           {"a", "a"}, {"! ", "!"}, {"!  x", "! x"},
                           {"a b c d e f g h i j k", "a b c d e f g h i j k"}, {"abcdefghijklmno  p", "abcdefghijklmno p"},
                           {"abcdefghijklmnopqrstuvwxyz  z ", "abcdefghijklmnopqrstuvwxyz z"}}) {
        std::string text = in;
        collapseSpaces(text);
        EXPECT_EQ(text, out) << '[' << in << ']';
    }
}

TEST(CutsWebAddress, OnlyAColonRightBeforeTheComment) {
    EXPECT_TRUE(cutsWebAddress("! http://example.org/a\n"));
    EXPECT_FALSE(cutsWebAddress("a: // b\n"));
    EXPECT_FALSE(cutsWebAddress("see a/b/c:/d\n"));
    EXPECT_FALSE(cutsWebAddress("x\r:// after a carriage return\n"));
}

TEST(ColumnOf, CountsInTheLineAsItStandsInTheFile) {
    // "  ab   cd // x\n" cleans to "ab cd": a=3 b=4 ' '=5 c=8 d=9, past the end 10.
    std::string_view raw = "  ab   cd // x\n";
    std::vector<std::pair<std::size_t, std::int32_t>> expected = {{0, 3}, {1, 4}, {2, 5}, {3, 8}, {4, 9}, {5, 10}};
    for (auto [offset, column] : expected) EXPECT_EQ(columnOf(raw, offset), column) << offset;
    EXPECT_EQ(columnOf("x\ty", 2), 3);
    EXPECT_EQ(lineWidth("  ab   cd // x\r\n"), 14);
    EXPECT_EQ(lineWidth("\n"), 1);
}

}  // namespace

TEST(CutInside, QuotesWhatACarriageReturnOrZeroByteDrops) {
    CutText cr = cutInside("a -- 1, 2\r, 3  4\r\n");
    EXPECT_EQ(cr.at, 9u);
    EXPECT_EQ(cr.by, '\r');
    EXPECT_EQ(cr.dropped, ", 3 4");
    EXPECT_EQ(cutInside(std::string_view("a -- 1\0b // c\n", 14)).dropped, "b");
    for (std::string_view nothingLost : {"a -- 1\r\n", "a -- 1\r  \r\n", "a // b\rc\n", "a -- 1\rx // y"})
        EXPECT_TRUE(cutInside(nothingLost).dropped.empty() || nothingLost == "a -- 1\rx // y") << nothingLost;
    EXPECT_EQ(cutInside("a -- 1\rx // y").dropped, "x");
    EXPECT_TRUE(endsLinesWithCarriageReturns("#!\r0/1\r"));
    EXPECT_FALSE(endsLinesWithCarriageReturns("#!\r\n0/1\r\n"));
    EXPECT_FALSE(endsLinesWithCarriageReturns("#!\r"));
}
