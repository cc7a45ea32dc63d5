#include "text/sink.hpp"

#include <gtest/gtest.h>

#include <string>

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
        expected += piece + ";";
        if (i % 5000 == 0) {
            sink += large;
            expected += large;
        }
        ASSERT_LE(expected.size() - drained.size(), Sink::kBufferSize) << i;
    }
    sink.pass();
    EXPECT_EQ(drained, expected);
}

}  // namespace
