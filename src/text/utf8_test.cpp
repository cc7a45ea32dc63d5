#include "text/utf8.hpp"

#include <gtest/gtest.h>

#include "text/cp1251.hpp"

namespace {

TEST(Utf8, EveryByteOfTheCodePageGoesThereAndBack) {
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98) continue;
        std::string one(1, static_cast<char>(byte));
        FromUtf8 back = fromUtf8(toUtf8(one));
        ASSERT_TRUE(back.ok()) << byte;
        EXPECT_EQ(back.text, one) << byte;
    }
    EXPECT_EQ(toUtf8(std::string(1, '\x98')), "\xEF\xBF\xBD");
}

TEST(Utf8, RunsOfEveryByteAgreeWithTheByteAlone) {
    // A lone byte goes through the table; runs, in and across blocks of
    // sixteen, go through the letters' arithmetic.
    std::string every, expected;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string alone = toUtf8(one);
        every += one;
        expected += alone;
        for (std::size_t length : {1, 5, 16, 17, 40}) {
            const std::string run(length, static_cast<char>(byte));
            std::string runExpected;
            for (std::size_t i = 0; i < length; ++i) runExpected += alone;
            const std::string pad(16, 'z');
            EXPECT_EQ(toUtf8("x" + run + pad), "x" + runExpected + pad) << byte << " " << length;
        }
    }
    EXPECT_EQ(toUtf8(every + every), expected + expected);
}

TEST(Utf8, KnownLettersBothWays) {
    EXPECT_EQ(toUtf8(cp1251("Ёж №5 «х»")), "Ёж №5 «х»");
    // Sixteen bytes at a time: letters within and after ASCII, a block of letters, a short tail.
    EXPECT_EQ(toUtf8(cp1251("\\hyperlink{Ж}{12}, 0123456789abcdefЯ, абвгдеёжзийклмноп 5*")),
              "\\hyperlink{Ж}{12}, 0123456789abcdefЯ, абвгдеёжзийклмноп 5*");
    FromUtf8 text = fromUtf8("Падеж — 12");
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.text, cp1251("Падеж — 12").view());
}

TEST(Utf8, CharactersOutsideTheCodePageAreNamedByCodePoint) {
    for (auto [input, codePoint, before] : {std::tuple{"ab😀c", 0x1F600, "ab"}, {"x中", 0x4E2D, "x"},
                                            {"\xC2\x98", 0x98, ""}}) {
        FromUtf8 r = fromUtf8(input);
        EXPECT_FALSE(r.ok()) << input;
        EXPECT_EQ(r.codePoint, codePoint) << input;
        EXPECT_EQ(r.text, before) << input;
    }
}

TEST(Utf8, BrokenAndOverlongSequencesAreBadBytes) {
    struct Case {
        std::string input, bad;
    } cases[] = {
        {"a\xD0", "\xD0"},                      // cut at the end
        {"\xD0x", "\xD0"},                      // no continuation byte
        {"\x80", "\x80"},                       // a continuation byte alone
        {"\xC0\xAF", "\xC0\xAF"},               // overlong "/"
        {"\xE0\x80\xAF", "\xE0\x80\xAF"},       // overlong in three bytes
        {"\xED\xA0\x80", "\xED\xA0\x80"},       // a surrogate
        {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},  // beyond U+10FFFF
        {"\xFF", "\xFF"},
    };
    for (const Case& c : cases) {
        FromUtf8 r = fromUtf8(c.input);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.badBytes, c.bad);
        EXPECT_EQ(r.codePoint, -1);
    }
}

}  // namespace
