#include "index/entry.hpp"

#include <gtest/gtest.h>

#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

ProblemRef problemAt(const Tables& tables, int source, int number) {
    ProblemRef p = findProblem(tables.problems, source, number, 0);
    EXPECT_NE(p, nullptr) << source << "/" << number;
    return p;
}

Bytes entryOf(const IndexElement& element, std::size_t prefixLength = 0) {
    Sink out;
    writeElementEntry(element, out, prefixLength);
    return out.text();
}

// The numbers of the entry alone, taken in `source`.
Bytes numbersOf(const IndexElement& element, std::int32_t source) {
    Sink out;
    writeListed(element, source, writeEntryNumber, out);
    return out.text();
}

TEST(Preamble, EachVariantDefinesItsMacros) {
    const std::string open =
        "\n{\n\n"
        "\\newcommand{\\element}[1]{\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]"
        "{\\hypertarget{elementID-#1}}}\n";
    const std::string number = "\\newcommand{\\z}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1}}\n";
    const std::string shared = "\\newcommand{\\zsoavt}[1]{\\hyperlink{kvirtadoc-usl-#1}{(#1)}}\n";
    const std::string starred = "\\newcommand{\\zz}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1*}}\n";
    const std::string gap = "\\newcommand{\\x}{\\mbox{$\\quad$}}\n";
    const std::pair<Preamble, std::string> cases[] = {
        {Preamble::Standard, open + number + starred + gap + "\n"},
        {Preamble::Author, open + number + shared + starred + gap + "\n"},
        {Preamble::Blank, open + "\\newcommand{\\z}[1]{}\n\\newcommand{\\zsoavt}[1]{}\n"
                              "\\newcommand{\\zz}[1]{}\n\\newcommand{\\x}{{\\quad}}\n\n"},
    };
    for (const auto& [variant, expected] : cases) {
        Sink out;
        writePreamble(variant, out);
        EXPECT_EQ(out.text(), expected) << static_cast<int>(variant);
    }
}

TEST(Preamble, OnlyTheBlankVariantClosesWithExtraLines) {
    for (Preamble variant : {Preamble::Standard, Preamble::Author}) {
        Sink out;
        writeClosing(variant, out);
        EXPECT_EQ(out.text(), "\n}\n\n");
    }
    Sink out;
    writeClosing(Preamble::Blank, out);
    EXPECT_EQ(out.text(), "\n\n\n}\n\n");
}

TEST(ElementEntry, WritesEachNumberOnceStarredByItsFirstReference) {
    Tables tables = tablesWith({"0/3", "0/17", "0/25"});
    addElement(tables, {cp1251("абазинский язык"), {3, 17, 17, 25}, {17}}).id = 42;
    EXPECT_EQ(entryOf(tables.elements[0]),
              cp1251("\\element  {42} абазинский язык \\x \\z{3}, \\zz{17}, \\z{25} \\par\n").view());
}

TEST(ElementEntry, ReferencesWithoutPositiveBookNumberAreSkipped) {
    // No placement in the book, two disagreeing book numbers, an empty record, a null slot.
    Tables tables = tablesWith({"3/7", "0/5 0/6", "0/8"});
    const ProblemRecord empty;
    addElement(tables, {cp1251("падеж"), {}}).id = 7;
    IndexElement& e = tables.elements[0];
    e.zz = {problemAt(tables, 3, 7), problemAt(tables, 0, 5), &empty, nullptr};
    e.zz_.assign(4, nullptr);
    EXPECT_EQ(entryOf(e), cp1251("\\element   {7} падеж \\x  \\par\n").view());

    e.zz.push_back(bookProblem(tables, 8));
    e.zz_.push_back(nullptr);
    EXPECT_EQ(entryOf(e), cp1251("\\element   {7} падеж \\x \\z{8} \\par\n").view());
}

TEST(ElementEntry, NoteFollowsTheNumbersWithASemicolonOnlyAfterANumber) {
    Tables tables = tablesWith({"0/25", "3/1"});
    addElement(tables, {cp1251("падеж"), {25}, {}, cp1251("см. также падеж")});
    addElement(tables, {cp1251("род"), {}, {}, cp1251("см. падеж")});
    tables.elements[1].zz = {problemAt(tables, 3, 1)};
    tables.elements[1].zz_ = {nullptr};
    EXPECT_EQ(entryOf(tables.elements[0]),
              cp1251("\\element   {2} падеж \\x \\z{25}; см. также падеж \\par\n").view());
    EXPECT_EQ(entryOf(tables.elements[1]), cp1251("\\element   {3} род \\x см. падеж \\par\n").view());
}

TEST(ElementEntry, IdsAreRightAlignedInFourColumns) {
    Tables tables = tablesWith({"0/1"});
    addElement(tables, {"x", {1}});
    IndexElement& e = tables.elements[0];
    const std::pair<int, const char*> cases[] = {
        {9, "\\element   {9} x"},   {10, "\\element  {10} x"},  {99, "\\element  {99} x"},
        {100, "\\element {100} x"}, {999, "\\element {999} x"}, {1000, "\\element{1000} x"},
        {12345, "\\element{12345} x"},
    };
    for (auto [id, heading] : cases) {
        e.id = id;
        EXPECT_EQ(entryOf(e), std::string(heading) + " \\x \\z{1} \\par\n") << id;
    }
}

TEST(ElementEntry, PrefixIsLeftOutUnlessTheNameIsShorter) {
    Tables tables = tablesWith({"0/1"});
    addElement(tables, {cp1251("=РЯ вид"), {1}});
    const IndexElement& e = tables.elements[0];
    EXPECT_EQ(entryOf(e, 4), cp1251("\\element   {2} вид \\x \\z{1} \\par\n").view());
    EXPECT_EQ(entryOf(e, 7), "\\element   {2}  \\x \\z{1} \\par\n");
    EXPECT_EQ(entryOf(e, 8), cp1251("\\element   {2} =РЯ вид \\x \\z{1} \\par\n").view());
}

TEST(ElementEntry, AnElementThatIsNotLiveWritesNothing) {
    Tables tables = tablesWith({"0/1"});
    addElement(tables, {"x", {1}, {}, "note"});
    IndexElement& e = tables.elements[0];
    e.actual = 0;
    EXPECT_EQ(entryOf(e), "");
    EXPECT_EQ(countListed(e), 0U);
}

TEST(ReferenceList, EachNumberOnceStarredOnlyByItsFirstReference) {
    // Two problems carry book number 5; the star of the second does not show.
    Tables tables = tablesWith({"0/5 2/1", "0/5 2/2", "0/9 2/3"});
    addElement(tables, {"x", {9}, {9}, "note"});
    IndexElement& e = tables.elements[0];
    e.zz = {problemAt(tables, 2, 1), problemAt(tables, 2, 2), problemAt(tables, 2, 2), e.zz[0]};
    e.zz_ = {problemAt(tables, 2, 2), e.zz[3], nullptr, nullptr};
    EXPECT_EQ(numbersOf(e, 0), "\\z{5}, \\zz{9}");
    // Numbers are taken in the source asked for.
    EXPECT_EQ(numbersOf(e, 2), "\\z{1}, \\zz{2}, \\zz{3}");

    e.zz_[0] = problemAt(tables, 2, 1);
    EXPECT_EQ(numbersOf(e, 0), "\\zz{5}, \\zz{9}");
}

}  // namespace
