#include "elements/near_names.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/name_order.hpp"
#include "text/cp1251.hpp"

namespace {

std::string text(std::string_view bytes) {
    return std::string(bytes);
}

std::string spacelessKey(std::string_view name) {
    return russianKey(name, Spaces::Ignored);
}

TEST(ReaderKey, AgreesWhereOnlyCapitalsSpacesPunctuationAndTexDiffer) {
    const std::vector<std::pair<std::string, std::string>> alike = {
        {text(cp1251("Иванова А.Б.")), text(cp1251("Иванова А. Б."))},
        {text(cp1251("Падеж")), text(cp1251("падеж"))},
        {text(cp1251("ёж")), text(cp1251("ЕЖ"))},
        {text(cp1251("х\\'инди")), text(cp1251("хинди"))},
        {text(cp1251("<<эргатив>>")), text(cp1251("{\\em эргатив}"))},
        {text(cp1251("=РЯ ударение")), text(cp1251("=РЯударение"))},
    };
    for (const auto& [a, b] : alike) EXPECT_EQ(spacelessKey(a), spacelessKey(b)) << a << " / " << b;
    // Spaces still count in the order's own key.
    EXPECT_NE(russianKey(cp1251("Иванова А.Б.").view()), russianKey(cp1251("Иванова А. Б.").view()));
    EXPECT_NE(spacelessKey(cp1251("падеж").view()), spacelessKey(cp1251("=РЯ падеж").view()));
}

TEST(OneEdit, FindsEachKindAndNothingFurther) {
    EXPECT_EQ(oneEditApart("abcdef", "abxdef").kind, Edit::Substitution);
    EXPECT_EQ(oneEditApart("abcdef", "abcdef").kind, Edit::None);
    EXPECT_EQ(oneEditApart("abcdef", "abdef").kind, Edit::Insertion);
    EXPECT_EQ(oneEditApart("abdef", "abcdef").at, 2u);
    EXPECT_EQ(oneEditApart("abcdef", "abdcef").kind, Edit::Transposition);
    for (auto [a, b] : {std::pair{"abcdef", "abxyef"}, {"abcdef", "abef"}, {"abcdef", "bacdfe"}, {"abc", "abcde"}})
        EXPECT_EQ(oneEditApart(a, b).kind, Edit::None) << a << " / " << b;
}

TEST(OneEdit, RussianEndingsShortWordsAndDigitsAreNoTypos) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const Pairs deliberate = {
        {text(cp1251("глагол")), text(cp1251("глаголы"))},
        {text(cp1251("согласование")), text(cp1251("согласования"))},
        {text(cp1251("Иванов")), text(cp1251("Иванова"))},
        {text(cp1251("Иванов А.Б.")), text(cp1251("Иванов А.В."))},
        {text(cp1251("задача 12")), text(cp1251("задача 13"))},
        {text(cp1251("язык хинди")), text(cp1251("язык хинди ч"))},
    };
    for (const auto& [a, b] : deliberate) EXPECT_TRUE(differsInEndingOrShortWord(a, b)) << a << " / " << b;
    const Pairs typos = {
        {text(cp1251("эргативность")), text(cp1251("эргативнось"))},
        {text(cp1251("согласование")), text(cp1251("сголасование"))},
        {text(cp1251("местоимение")), text(cp1251("местоимерие"))},
    };
    for (const auto& [a, b] : typos) EXPECT_FALSE(differsInEndingOrShortWord(a, b)) << a << " / " << b;
}

// The sighting of a name on a line that stands in the file as "  NAME -- 1".
struct Seen {
    std::string name;
    long line;
    std::int32_t references;
};

Findings check(const std::vector<Seen>& seen, const std::vector<DifferentNames>& different = {}) {
    std::vector<std::string> raws;
    raws.reserve(seen.size());
    std::vector<NameSighting> names;
    for (const Seen& s : seen) {
        raws.push_back("  " + s.name + " -- 1\n");
        names.push_back({s.name, s.line, raws.back(), s.references});
    }
    Findings findings;
    checkNearNames(names, different, &findings);
    return findings;
}

TEST(NearNames, WarnsOnceOnTheRightLineWithTheFix) {
    const std::string ergative = text(cp1251("эргативность"));
    const std::string slip = text(cp1251("эргативнось"));
    // The name read twice counts its references together, and is warned of once.
    Findings typo = check({{slip, 3, 1}, {ergative, 5, 1}, {ergative, 7, 2}, {slip, 9, 0}});
    ASSERT_EQ(typo.size(), 1u);
    EXPECT_EQ(typo[0].line, 3);
    EXPECT_EQ(typo[0].code, "likely-typo");
    EXPECT_EQ(typo[0].message, cp1251("вероятно, опечатка в «эргативнось» (1 ссылка): есть «эргативность» "
                                      "(строка 5, 3 ссылки)").view());
    ASSERT_EQ(typo[0].fixes.size(), 1u);
    EXPECT_EQ(typo[0].fixes[0].text, ergative);
    EXPECT_EQ(typo[0].firstColumn, 3);
    EXPECT_EQ(typo[0].fixes[0].firstColumn, 3);
    EXPECT_EQ(typo[0].fixes[0].lastColumn, 13);

    const std::string a = text(cp1251("Падеж"));
    const std::string b = text(cp1251("падеж"));
    const std::string c = text(cp1251("ПАДЕЖ"));
    Findings alike = check({{b, 2, 1}, {a, 4, 1}, {c, 6, 1}, {b, 8, 1}});
    ASSERT_EQ(alike.size(), 2u);
    EXPECT_EQ(alike[0].line, 4);
    EXPECT_EQ(alike[0].message, cp1251("«Падеж» и «падеж» (строка 2) станут двумя статьями указателя").view());
    EXPECT_EQ(alike[1].line, 6);
    EXPECT_TRUE(check({{b, 2, 1}, {a, 4, 1}}, {{a, b}}).empty());
}

TEST(NearNames, LooksForTyposWithinACategoryOnly) {
    const std::string term = text(cp1251("Петровский"));
    const std::string author = text(cp1251("=автор условия Петровскиф"));
    EXPECT_TRUE(check({{term, 1, 1}, {author, 2, 1}}).empty());
    const std::string other = text(cp1251("=автор условия Петровский"));
    EXPECT_EQ(check({{other, 1, 1}, {author, 2, 1}}).size(), 1u);
}

TEST(DifferentNames, ReadsThePairsAndWarnsOfAMalformedComment) {
    std::string source = text(cp1251("#/0\nВид -- 1 // olyindex: разные «Вид»  «вид  вида»\n"
                                     "//olyindex:разные«a»«b»\n// olyindex: одинаковые «a» «b»\n"
                                     "падеж -- 1 // не olyindex: разные\n"));
    Findings findings;
    std::vector<DifferentNames> pairs = readDifferentNames(source, &findings);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, cp1251("Вид").view());
    EXPECT_EQ(pairs[0].second, cp1251("вид вида").view());
    EXPECT_EQ(pairs[1].second, "b");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].line, 4);
    EXPECT_EQ(findings[0].code, "bad-suppression");
}

}  // namespace
