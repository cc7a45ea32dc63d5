#include "text/numbers.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ParseDigits, OnlyDigitsThatFit) {
    EXPECT_EQ(parseDigits("0012"), 12);
    EXPECT_EQ(parseDigits("2147483647"), 2147483647);
    EXPECT_EQ(parseDigits("2147483648"), std::nullopt);
    EXPECT_EQ(parseDigits(""), std::nullopt);
    EXPECT_EQ(parseDigits("1a"), std::nullopt);
    EXPECT_EQ(parseDigits("-1"), std::nullopt);
}

TEST(LeadingNumber, ReadsAsStrtolAndSaturates) {
    EXPECT_EQ(leadingNumber("12-1-Н-3"), 12);
    EXPECT_EQ(leadingNumber("  \t+7x"), 7);
    EXPECT_EQ(leadingNumber("-3"), -3);
    EXPECT_EQ(leadingNumber("x1"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
    EXPECT_EQ(leadingNumber("99999999999999999999"), 2147483647);
    EXPECT_EQ(leadingNumber("-99999999999999999999"), -2147483647 - 1);
}

TEST(IsAllDigits, EmptyCounts) {
    EXPECT_TRUE(isAllDigits(""));
    EXPECT_TRUE(isAllDigits("0123456789"));
    EXPECT_FALSE(isAllDigits("12 "));
}

}  // namespace

TEST(AppendDecimal, WritesAsPercentD) {
    Sink out;
    for (std::int64_t n : {0LL, 7LL, -12LL, 2147483647LL, -9223372036854775807LL - 1}) {
        appendDecimal(out, n);
        out += ' ';
    }
    EXPECT_EQ(out.text(), "0 7 -12 2147483647 -9223372036854775808 ");
}
