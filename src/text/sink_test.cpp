#include "text/sink.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/format.hpp"

namespace {

TEST(Sink, HandsEveryByteOnInOrderAndHoldsNoMoreThanItsBuffer) {
    std::string drained;
    Sink sink;
    sink.drain = [&](std::string_view bytes) { drained += bytes; };
    std::string expected;
    const std::string large(Sink::kBufferSize + 7, 'L');
    for (int i = 0; i < 20000; ++i) {
        std::string piece = std::to_string(i) + ",";
        sink += piece;
        sink += ';';
        // Every short length, which the sink moves in fixed-size pieces.
        const std::string varied(static_cast<std::size_t>(i % 19), static_cast<char>('a' + i % 26));
        sink += varied;
        expected += piece + ";" + varied;
        if (i % 5000 == 0) {
            sink += large;
            expected += large;
        }
        ASSERT_LE(expected.size() - drained.size(), Sink::kBufferSize) << i;
        if (i % 3001 == 0) sink.release();  // the next byte makes a new buffer
    }
    sink.pass();
    EXPECT_EQ(drained, expected);
}

TEST(Sink, DroppingKeepsNothingAndDrainsNothing) {
    int drains = 0;
    Sink sink;
    sink.dropping = true;
    sink.drain = [&](std::string_view) { ++drains; };
    sink += "text";
    sink += std::string(Sink::kBufferSize + 1, 'L');
    sink += 'c';
    format(sink, "%d/%s", 12, "x");
    sink.pass();
    EXPECT_EQ(drains, 0);
    Sink kept;
    kept.dropping = true;
    kept += "text";
    EXPECT_EQ(kept.text(), "");
}

}  // namespace
