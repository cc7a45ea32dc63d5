#include "lsp/positions.hpp"

#include <gtest/gtest.h>

namespace {

// "ж" is one UTF-16 unit in two bytes, "😀" two units in four bytes.
constexpr std::string_view kText = "aж😀b\r\nвторая\n\nlast";

TEST(Positions, OffsetsCountUtf16UnitsAndClampToTheLine) {
    EXPECT_EQ(offsetOf(kText, {0, 0}), 0u);
    EXPECT_EQ(offsetOf(kText, {0, 2}), 3u);    // after "aж"
    EXPECT_EQ(offsetOf(kText, {0, 3}), 3u);    // inside the pair: before it
    EXPECT_EQ(offsetOf(kText, {0, 4}), 7u);    // after the pair
    EXPECT_EQ(offsetOf(kText, {0, 5}), 8u);    // the line's end, before "\r\n"
    EXPECT_EQ(offsetOf(kText, {0, 99}), 8u);
    EXPECT_EQ(offsetOf(kText, {1, 2}), 14u);   // "вт"
    EXPECT_EQ(offsetOf(kText, {2, 5}), 23u);   // an empty line
    EXPECT_EQ(offsetOf(kText, {3, 4}), kText.size());
    EXPECT_EQ(offsetOf(kText, {9, 0}), kText.size());
    // The editor ends a line at a lone "\r" too.
    EXPECT_EQ(editorLineStarts("a\rb\r\nc\nd"), (std::vector<std::size_t>{0, 2, 5, 7}));
    EXPECT_EQ(offsetOf("a\rb\r\nc", {1, 9}), 3u);
    EXPECT_EQ(offsetOf("a\rb\r\nc", {2, 0}), 5u);
}

TEST(Positions, LinesAndColumnsGoBothWays) {
    std::vector<std::size_t> starts = lineStarts(kText);
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_EQ(lineAt(kText, starts, 0), "aж😀b");
    EXPECT_EQ(lineAt(kText, starts, 3), "last");
    EXPECT_EQ(lineAt(kText, starts, 4), "");
    std::string_view line = lineAt(kText, starts, 0);
    EXPECT_EQ(utf16Units(line, 2), 2);
    EXPECT_EQ(utf16Units(line, 3), 4);
    EXPECT_EQ(utf16Units(line, 99), 5);
    EXPECT_EQ(charactersBefore(line, 4), 3);
    EXPECT_EQ(charactersBefore(line, 3), 2);
    EXPECT_EQ(charactersBefore(line, 99), 4);
}

}  // namespace
