#include "elements/name_order.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp1251.hpp"

namespace {

int compare(std::string_view a, std::string_view b) {
    return compareRussian(russianKey(a), a, russianKey(b), b);
}

std::string text(std::string_view bytes) {
    return std::string(bytes);
}

TEST(RussianOrder, SpaceDigitsCyrillicLatinThenOtherLetters) {
    std::vector<std::string> ascending = {
        "ab c",  // the space before every letter
        "ab0", "ab9",
        text(cp1251("abа")), text(cp1251("abБ")), text(cp1251("abв")), text(cp1251("abЯ")),
        "abA", "abz",
        text(cp1251("abЂ")), text(cp1251("abЎ")), text(cp1251("abІ")), text(cp1251("abі")), text(cp1251("abї")),
    };
    for (std::size_t i = 0; i + 1 < ascending.size(); ++i)
        EXPECT_LT(compare(ascending[i], ascending[i + 1]), 0) << ascending[i] << " / " << ascending[i + 1];
    // Code page 1251 holds а-я in alphabetical order from 0xE0, each capital 0x20 lower.
    for (int small = 0xE0; small <= 0xFF; ++small) {
        std::string letter(1, static_cast<char>(small));
        EXPECT_EQ(russianKey(letter), russianKey(std::string(1, static_cast<char>(small - 0x20)))) << small;
        if (small < 0xFF) {
            EXPECT_LT(russianKey(letter), russianKey(std::string(1, static_cast<char>(small + 1))));
        }
    }
}

TEST(RussianOrder, IgnoresWhatDoesNotSpellTheWord) {
    auto same = [](std::string_view a, std::string_view b) { EXPECT_EQ(russianKey(a), russianKey(b)) << a; };
    same(cp1251("Ёмкость"), cp1251("емкость"));
    same(cp1251("ёж"), cp1251("ЕЖ"));
    same("IPA", "ipa");
    same(cp1251("<<Слово>>"), cp1251("слово"));
    same(cp1251("{}язык жестов"), cp1251("язык жестов"));
    same(cp1251("северо-западный, «новый»"), cp1251("северозападный новый"));
    same(cp1251("уда\\'рный"), cp1251("ударный"));
    same(cp1251("\\textit{курсив} и \\textbf {жирный}"), cp1251("курсив и жирный"));
    same("\\i \\\\\\%x", "x");  // a control word eats its blanks; "\\" and "\%" go whole
    same(cp1251("И.~И.\\ Иванов"), cp1251("И И Иванов"));  // a tie and a control space print as spaces
    same(cp1251("  a \t\u00A0 b  "), "a b");  // runs count once, the ends not at all
    same(cp1251("5 µ№§"), "5");
    same("a\\", "a");
    EXPECT_EQ(russianKey("{}<<>>"), "");
}

TEST(RussianOrder, OnlyEqualNamesTie) {
    // Equal keys: the byte key decides, then the bytes themselves.
    EXPECT_LT(compare(cp1251("Падеж"), cp1251("падеж")), 0);
    EXPECT_LT(compare(cp1251("Ёж"), cp1251("ЕЖ")), 0);
    EXPECT_LT(compare("<<x>>", "x"), 0);
    EXPECT_GT(compare("x", "<<x>>"), 0);
    EXPECT_EQ(compare("x", "x"), 0);
    // The key comes first: "-" and "<<" weigh nothing.
    EXPECT_LT(compare(cp1251("<<б>>"), cp1251("В")), 0);
    EXPECT_LT(compare(cp1251("жж"), cp1251("ж-з")), 0);
}

}  // namespace
