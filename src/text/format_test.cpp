#include "text/format.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

Bytes formatted(std::string_view fmt, auto... args) {
    Bytes out;
    format(out, fmt, args...);
    return out;
}

TEST(Format, NumbersAsTheCFormatsWriteThem) {
    EXPECT_EQ(formatted("%d|%ld|%d", 42, 7L, -3), "42|7|-3");
    EXPECT_EQ(formatted("%2d|%2d|%2d", 5, 12, 123), " 5|12|123");
    EXPECT_EQ(formatted("%x|%x|%x", 1, 10, 255), "1|a|ff");
    EXPECT_EQ(formatted("%03d", 7), "007");
}

TEST(Format, TextsCharactersAndPercent) {
    std::string name = "abc";
    EXPECT_EQ(formatted("<%s>", name), "<abc>");
    EXPECT_EQ(formatted("%s/%s", std::string_view("a"), "b"), "a/b");
    EXPECT_EQ(formatted("%c%c", 'x', '\xFF'), "x\xFF");
    EXPECT_EQ(formatted("100%%"), "100%");
    EXPECT_EQ(formatted("%s|", std::string("a\0b", 3)), "a|");  // a zero byte ends a %s text
}

TEST(Format, AppendsToWhatIsThere) {
    Bytes out = "x";
    format(out, "%d", 1);
    EXPECT_EQ(out, "x1");
}

}  // namespace
