#include "index/language_index.hpp"

#include <gtest/gtest.h>

#include <string>

#include <optional>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

struct Result {
    Flow flow;
    Sink out;
    long lineTooLong;
};

Result fill(Tables& tables, std::string_view templ) {
    Result r{Flow::Go, {}, -1};
    r.flow = writeLanguageIndex(tables, templ, r.out, r.lineTooLong);
    return r;
}

// Languages and look-alikes, in name order.
Tables languageTables() {
    Tables tables = tablesWith({"0/3", "0/5", "0/17", "0/25", "0/30", "0/40", "3/1"});
    addElement(tables, {cp1251("=РЯ абазинский язык"), {40}});
    addElement(tables, {cp1251("абазинский диалект"), {25}});
    addElement(tables, {cp1251("абазинский {}язык"), {25}});
    addElement(tables, {cp1251("абазинский язык"), {17, 3}, {17}});
    addElement(tables, {cp1251("абазинский язык (вымерший)"), {}});
    tables.elements.back().zz = {findProblem(tables.problems, 3, 1, 0)};
    tables.elements.back().zz_ = {nullptr};
    addElement(tables, {cp1251("абазинский язык (диалекты)"), {30}});
    addElement(tables, {cp1251("абазинско-кабардинский язык"), {40}});
    addElement(tables, {cp1251("язык тела"), {5}});
    return tables;
}

TEST(LanguageIndex, FillsThePlaceholdersOfALanguageBlock) {
    // The lists of two elements are joined by ", "; one without numbers adds nothing.
    Tables tables = languageTables();
    Result r = fill(tables, cp1251("\\элемент\n{\\bf абази\\'нский} язык: []\n\n"));
    EXPECT_EQ(r.flow, Flow::Go);
    EXPECT_EQ(r.out.text(), cp1251("\\элемент\n{\\bf абази\\'нский} язык: \\z{3}, \\zz{17}, \\z{30}\n\n").view());
    EXPECT_EQ(r.lineTooLong, 0);
}

TEST(LanguageIndex, NoTemplateWritesNothing) {
    Tables tables = languageTables();
    Sink out;
    long lineTooLong = -1;
    EXPECT_EQ(writeLanguageIndex(tables, std::nullopt, out, lineTooLong), Flow::Go);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(lineTooLong, 0);
}

TEST(LanguageIndex, OutsideABlockLinesAreCopiedWithoutCommentsAndCarriageReturns) {
    Tables tables = languageTables();
    Result r = fill(tables, cp1251("% языки // не для печати\r\n[] абазинский\r\n\\элементы\n[]\nконец"));
    EXPECT_EQ(r.out.text(), cp1251("% языки \n[] абазинский\n\\элементы\n[]\nконец\n").view());
}

TEST(LanguageIndex, EmptyOrCommentLineEndsTheBlock) {
    Tables tables = languageTables();
    Result r = fill(tables, cp1251("\\элемент\n{\\bf абазинский} []\n// comment\n[]\n"
                                   "\\элемент\n\n[]\n"));
    EXPECT_EQ(r.out.text(), cp1251("\\элемент\n{\\bf абазинский} \\z{3}, \\zz{17}, \\z{30}\n\n[]\n"
                            "\\элемент\n\n[]\n")
                         .view());
}

TEST(LanguageIndex, FillerLinesUpToTheEmptyLine) {
    Tables tables = languageTables();
    Result r = fill(tables, cp1251("\\элемент здесь\n{\\bf абазинский}\n[][]\n\\элемент\nсм. []\n"));
    EXPECT_EQ(r.out.text(), cp1251("\\элемент здесь\n{\\bf абазинский}\n"
                            "\\z{3}, \\zz{17}, \\z{30}\\z{3}, \\zz{17}, \\z{30}\n"
                            "\\элемент\nсм. \\z{3}, \\zz{17}, \\z{30}\n")
                         .view());
}

TEST(LanguageIndex, NameIsTheTextAfterTheFirstBlank) {
    Tables tables = languageTables();
    // "язык" matches "язык тела" only; a name line without a blank names nothing.
    Result r = fill(tables, cp1251("\\элемент\nабазинский язык\n[]\n\n\\элемент\nабазинский[]\n[]\n"));
    EXPECT_EQ(r.out.text(), cp1251("\\элемент\nабазинский язык\n\\z{5}\n\n\\элемент\nабазинский\n\n").view());
}

TEST(LanguageIndex, TooLongLineStopsTheRunAndKeepsTheLinesBefore) {
    Tables tables = languageTables();
    Result r = fill(tables, "a\n" + std::string(2048, 'x') + "\nb\n");
    EXPECT_EQ(r.flow, Flow::Stop);
    EXPECT_EQ(r.out.text(), "a\n");
    EXPECT_EQ(r.lineTooLong, 2);
}

TEST(LanguageName, TextAfterTheBlanksUpToTheBraceWithoutAccents) {
    EXPECT_EQ(languageNameOf(cp1251("{\\bf абази\\'нский} язык: []")), cp1251("абазинский").view());
    EXPECT_EQ(languageNameOf(cp1251("{\\bf    а\\'ва\\'рский}")), cp1251("аварский").view());
    EXPECT_EQ(languageNameOf(cp1251("абазинский язык")), cp1251("язык").view());
    EXPECT_EQ(languageNameOf("x a\\'"), "a");
    // The character right after an accent stays, even when it begins another one.
    EXPECT_EQ(languageNameOf("x a\\'\\'b"), "a\\'b");
    EXPECT_EQ(languageNameOf(cp1251("абазинский")), "");
    EXPECT_EQ(languageNameOf("x   "), "");
    EXPECT_EQ(languageNameOf("x }"), "");
}

}  // namespace
