#include "lsp/documents.hpp"

#include <gtest/gtest.h>

#include "text/cp1251.hpp"

namespace {

TEST(Documents, IncrementalChangesApplyInOrder) {
    Document d{"file:///b/book.src", "#/1\nПадеж -- 12\n", 1, InFile::Source};
    applyChange(d, {false, {1, 9}, {1, 11}, "13, 14"});
    EXPECT_EQ(d.text, "#/1\nПадеж -- 13, 14\n");
    applyChange(d, {false, {1, 0}, {1, 5}, "Род"});
    applyChange(d, {false, {2, 0}, {2, 0}, "Число -- 1\n"});
    EXPECT_EQ(d.text, "#/1\nРод -- 13, 14\nЧисло -- 1\n");
    applyChange(d, {false, {2, 0}, {0, 3}, ""});  // given backwards
    EXPECT_EQ(d.text, "#/1Число -- 1\n");
    applyChange(d, {true, {}, {}, "x"});
    EXPECT_EQ(d.text, "x");
}

TEST(Documents, ACharacterTheCodePageCannotHoldIsMarkedInPlace) {
    BookText book = toBookText("#/1\nЯзык 😀 中 -- 1\n");
    EXPECT_EQ(book.text, std::string(cp1251("#/1\nЯзык ").view()) + kUnheldByte + ' ' + kUnheldByte + " -- 1\n");
    ASSERT_EQ(book.unheld.size(), 2u);
    EXPECT_EQ(book.unheld[0].line, 2);
    EXPECT_EQ(book.unheld[0].column, 6);
    EXPECT_EQ(book.unheld[0].codePoint, U'😀');
    EXPECT_EQ(book.unheld[1].column, 8);
}

TEST(Documents, FileUrisBecomePaths) {
    EXPECT_EQ(*pathFromUri("file:///home/a%20b/%D0%BA%D0%BD%D0%B8%D0%B3%D0%B0.src"),
              std::filesystem::path(u8"/home/a b/книга.src"));
    EXPECT_FALSE(pathFromUri("untitled:1"));
    EXPECT_EQ(uriFromPath(std::filesystem::path(u8"/home/a b/книга.src")),
              "file:///home/a%20b/%D0%BA%D0%BD%D0%B8%D0%B3%D0%B0.src");
    EXPECT_EQ(uriFileName("file:///x/indeksal_yazykov.tex.template"), "indeksal_yazykov.tex.template");
    EXPECT_EQ(siblingUri("file:///x/book.src", "olyindex.toml"), "file:///x/olyindex.toml");
}

}  // namespace
