#include "text/format.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

// The format is checked while compiling, so each case is a call of its own.
#define EXPECT_FORMATS(expected, ...) \
    do {                              \
        Bytes out;                    \
        format(out, __VA_ARGS__);     \
        EXPECT_EQ(out, expected);     \
    } while (false)

TEST(Format, NumbersAsTheCFormatsWriteThem) {
    EXPECT_FORMATS("42|7|-3", "%d|%ld|%d", 42, 7L, -3);
    EXPECT_FORMATS(" 5|12|123", "%2d|%2d|%2d", 5, 12, 123);
    EXPECT_FORMATS("1|a|ff|FF", "%x|%x|%x|%X", 1, 10, 255, 255);
    EXPECT_FORMATS("007|-07", "%03d|%03d", 7, -7);
    EXPECT_FORMATS("ffffffff", "%x", -1);  // as C prints an int
}

TEST(Format, TextsCharactersAndPercent) {
    std::string name = "abc";
    EXPECT_FORMATS("<abc>", "<%s>", name);
    EXPECT_FORMATS("a/b", "%s/%s", std::string_view("a"), "b");
    EXPECT_FORMATS("x\xFF", "%c%c", 'x', '\xFF');
    EXPECT_FORMATS("100%", "100%%");
    EXPECT_FORMATS("5%", "%d%", 5);  // a '%' that ends the format is text
    EXPECT_FORMATS("a|", "%s|", std::string("a\0b", 3));  // a zero byte ends a %s text
    EXPECT_FORMATS("  ab", "%4s", "ab");
}

TEST(Format, Cp1251FormatsAndAppending) {
    Bytes out = "x";
    format(out, "%d", 1);
    format(out, cp1251(" строка %ld"), 12L);
    EXPECT_EQ(out, "x1" + std::string(cp1251(" строка 12")));
}

}  // namespace
