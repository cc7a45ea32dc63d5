#include "elements/categories.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

IndexElement named(std::string_view name) {
    IndexElement e;
    e.actual = 1;
    e.name = name;
    return e;
}

TEST(Categories, MarksAtTheStartOfTheName) {
    EXPECT_TRUE(isCategory(named("=x")));
    EXPECT_FALSE(isCategory(named("x=")));
    EXPECT_FALSE(isCategory(named("")));
    // The Russian mark needs no blank after it; the Russian prefix does.
    EXPECT_TRUE(isRussianLanguageElement(named(cp1251("=РЯглагол"))));
    EXPECT_TRUE(isRussianLanguageElement(named(cp1251("=РЯ"))));
    EXPECT_FALSE(isRussianLanguageElement(named(cp1251("=Р"))));
    EXPECT_FALSE(isRussianLanguageElement(named(cp1251(" =РЯ вид"))));
}

TEST(LanguageElement, TheFirstWordLanguageUnlessAnEmptyGroupPrecedesIt) {
    struct Case {
        std::string name;
        bool language;
    };
    const Case cases[] = {
        {std::string(cp1251("абазинский язык")), true},
        {std::string(cp1251("Язык тела")), true},
        {std::string(cp1251("языки мира")), true},
        {std::string(cp1251("{}язык жестов")), false},
        {std::string(cp1251("{}язык и язык")), false},  // only the first occurrence counts
        {std::string(cp1251("ЯЗЫК")), false},
        {std::string(cp1251("язЫк")), false},
        {std::string(cp1251("падеж")), false},
    };
    for (const Case& c : cases) {
        IndexElement e = named(c.name);
        EXPECT_EQ(isLanguageElement(e), c.language) << e.name;
        e.actual = 0;
        EXPECT_FALSE(isLanguageElement(e)) << e.name;
    }
}

}  // namespace
