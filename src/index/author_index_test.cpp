#include "index/author_index.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "index/entry.hpp"
#include "test_tables.hpp"
#include "text/cp1251.hpp"

namespace {

constexpr std::string_view kConditionLinks =
    "\n\n\\renewcommand{\\z}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1}}"
    "\\renewcommand{\\zsoavt}[1]{\\hyperlink{kvirtadoc-usl-#1}{(#1)}}"
    "\\renewcommand{\\zz}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1*}}\n";
constexpr std::string_view kSolutionLinks =
    "\n\n\\renewcommand{\\z}[1]{\\hyperlink{kvirtadoc-resh-#1}{#1}}"
    "\\renewcommand{\\zsoavt}[1]{\\hyperlink{kvirtadoc-resh-#1}{(#1)}}"
    "\\renewcommand{\\zz}[1]{\\hyperlink{kvirtadoc-resh-#1}{#1*}}\n";
constexpr std::string_view kParagraphEnd = "\n{\\hangindent=3\\parindent\\hangafter=1\\par}";

std::string bytes(std::string_view text) {
    return std::string(text);
}

Bytes join(std::initializer_list<std::string_view> parts) {
    Sink out;
    for (std::string_view part : parts) out += part;
    return out.text();
}

// The names of the people of the combined index, in the order written.
std::vector<std::string> peopleIn(std::string_view file) {
    std::vector<std::string> people;
    constexpr std::string_view kOpen = "{\\bf ";
    for (std::size_t at = file.find(kOpen); at != std::string_view::npos; at = file.find(kOpen, at)) {
        at += kOpen.size();
        people.emplace_back(file.substr(at, file.find("}\\nopagebreak", at) - at));
    }
    return people;
}

// Автор А. А. set the statements of 3 and 17 (17 with Борисов Б. Б.) and solved 5;
// Борисов Б. Б. also solved 17.
Tables sampleAuthors() {
    Tables tables = tablesWith({"0/3", "0/5", "0/17", "3/1"});
    addElement(tables, {cp1251("=автор решения Автор А. А."), {5}, {5}, "note"}).id = 40;
    addElement(tables, {cp1251("=автор решения Борисов Б. Б."), {17}}).id = 41;
    addElement(tables, {cp1251("=автор условия Автор А. А."), {17, 3}, {17}, "note"}).id = 42;
    addElement(tables, {cp1251("=автор условия Борисов Б. Б."), {17}}).id = 43;
    addElement(tables, {cp1251("=автор условия Васильев В. В."), {}}).id = 44;
    tables.elements.back().zz = {findProblem(tables.problems, 3, 1, 0)};
    tables.elements.back().zz_ = {nullptr};
    return tables;
}

TEST(ConditionAuthorIndex, SharedProblemsInParenthesesNeverStarsNorNotes) {
    Tables tables = sampleAuthors();
    Sink out;
    writeConditionAuthorIndex(tables, authorShares(tables.elements), out);
    // Васильев shows no number and so gets no entry at all.
    EXPECT_EQ(out.text(), indexFile(Preamble::Author, cp1251("\\element  {42} Автор А. А. \\x \\z{3}, \\zsoavt{17} \\par\n"
                                     "\\element  {43} Борисов Б. Б. \\x \\zsoavt{17} \\par\n")));
}

TEST(SolutionAuthorIndex, SharingCountsOnlyAmongSolutionAuthors) {
    Tables tables = sampleAuthors();
    Sink out;
    writeSolutionAuthorIndex(tables, authorShares(tables.elements), out);
    // 17 is shared with condition authors only; the numbers still link to the statements.
    EXPECT_EQ(out.text(), indexFile(Preamble::Author, cp1251("\\element  {40} Автор А. А. \\x \\z{5} \\par\n"
                                     "\\element  {41} Борисов Б. Б. \\x \\z{17} \\par\n")));
}

TEST(CombinedAuthorIndex, EachPersonOnceWithStatementsThenSolutions) {
    Tables tables = sampleAuthors();
    Sink out;
    writeCombinedAuthorIndex(tables, authorShares(tables.elements), NameOrder::Bytewise, out);
    // Автор А. А. is the worked example; Васильев В. В. shows no number and is left out.
    EXPECT_EQ(out.text(), indexFile(Preamble::Blank, join({
                       "\n\n\n\\smallskip\\noindent",
                       cp1251("{\\bf Автор А. А.}\\nopagebreak"),
                       kConditionLinks, cp1251("условия"), " \\x \\z{3}, \\zsoavt{17}", kParagraphEnd,
                       kSolutionLinks, cp1251("решение"), " \\x \\z{5}", kParagraphEnd,
                       "\n\n\n\\smallskip\\noindent",
                       cp1251("{\\bf Борисов Б. Б.}\\nopagebreak"),
                       kConditionLinks, cp1251("условие"), " \\x \\zsoavt{17}", kParagraphEnd,
                       kSolutionLinks, cp1251("решение"), " \\x \\z{17}", kParagraphEnd,
                   })));
}

TEST(CombinedAuthorIndex, ParagraphWithoutNumbersStaysWhenThePersonHasOthers) {
    Tables tables = tablesWith({"0/5", "3/1"});
    addElement(tables, {cp1251("=автор решения Гусев"), {5}});
    addElement(tables, {cp1251("=автор условия Гусев"), {}});
    tables.elements.back().zz = {findProblem(tables.problems, 3, 1, 0)};
    tables.elements.back().zz_ = {nullptr};
    addElement(tables, {cp1251("=автор условия Дмитриев"), {}});
    tables.elements.back().zz = {findProblem(tables.problems, 3, 1, 0)};
    tables.elements.back().zz_ = {nullptr};
    Sink out;
    writeCombinedAuthorIndex(tables, authorShares(tables.elements), NameOrder::Bytewise, out);
    // Дмитриев shows no number anywhere and is left out.
    EXPECT_EQ(out.text(), indexFile(Preamble::Blank, join({
                       cp1251("\n\n\n\\smallskip\\noindent{\\bf Гусев}\\nopagebreak"),
                       kConditionLinks, cp1251("условие"), kParagraphEnd,
                       kSolutionLinks, cp1251("решение"), " \\x \\z{5}", kParagraphEnd,
                   })));
}

TEST(CombinedAuthorIndex, SolutionOnlyAuthorsTakeTheirPlaceInNameOrder) {
    Tables tables = tablesWith({"0/1"});
    addElement(tables, {cp1251("=автор решения Абрамов"), {1}});
    addElement(tables, {cp1251("=автор решения Борисов"), {1}});
    addElement(tables, {cp1251("=автор решения Васильев"), {1}});
    addElement(tables, {cp1251("=автор решения Григорьев"), {1}});
    addElement(tables, {cp1251("=автор условия Алексеев"), {1}});
    addElement(tables, {cp1251("=автор условия Васильев"), {1}});
    Sink out;
    writeCombinedAuthorIndex(tables, authorShares(tables.elements), NameOrder::Bytewise, out);
    EXPECT_EQ(peopleIn(out.text()), (std::vector<std::string>{bytes(cp1251("Абрамов")), bytes(cp1251("Алексеев")),
                                                       bytes(cp1251("Борисов")), bytes(cp1251("Васильев")),
                                                       bytes(cp1251("Григорьев"))}));
    // Васильев, author of both kinds, is written once with both paragraphs.
    std::size_t from = out.text().find(cp1251("{\\bf Васильев}").view());
    std::size_t to = out.text().find(cp1251("{\\bf Григорьев}").view());
    ASSERT_LT(from, to);
    std::string_view vasilyev = std::string_view(out.text()).substr(from, to - from);
    EXPECT_NE(vasilyev.find(kConditionLinks), std::string_view::npos);
    EXPECT_NE(vasilyev.find(kSolutionLinks), std::string_view::npos);
}

TEST(CombinedAuthorIndex, InTheRussianOrderSolutionAuthorsTakeTheirPlaceInIt) {
    Tables tables = tablesWith({"0/1"});
    // The table as --order=ru leaves it; in bytes Ё comes before А.
    addElement(tables, {cp1251("=автор решения Алексеев"), {1}});
    addElement(tables, {cp1251("=автор решения Борисов"), {1}});
    addElement(tables, {cp1251("=автор решения Ершов"), {1}});
    addElement(tables, {cp1251("=автор решения Жуков"), {1}});
    addElement(tables, {cp1251("=автор условия <<Борисов>>"), {1}});
    addElement(tables, {cp1251("=автор условия Ёлкин"), {1}});
    addElement(tables, {cp1251("=автор условия Жуков"), {1}});
    Sink out;
    writeCombinedAuthorIndex(tables, authorShares(tables.elements), NameOrder::Russian, out);
    // "<<Борисов>>" and "Борисов" are two names, and neither is lost; Жуков is written once.
    EXPECT_EQ(peopleIn(out.text()), (std::vector<std::string>{
                                 bytes(cp1251("Алексеев")), bytes(cp1251("<<Борисов>>")), bytes(cp1251("Борисов")),
                                 bytes(cp1251("Ёлкин")), bytes(cp1251("Ершов")), bytes(cp1251("Жуков"))}));
}

TEST(CombinedAuthorIndex, WithoutConditionAuthorsEverySolutionAuthorIsWritten) {
    Tables tables = tablesWith({"0/1", "0/2"});
    addElement(tables, {cp1251("=автор решения Абрамов"), {1}});
    addElement(tables, {cp1251("=автор решения Борисов"), {1, 2}});
    Sink out;
    writeCombinedAuthorIndex(tables, authorShares(tables.elements), NameOrder::Bytewise, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Blank, join({
                       cp1251("\n\n\n\\smallskip\\noindent{\\bf Абрамов}\\nopagebreak"),
                       kSolutionLinks, cp1251("решение"), " \\x \\zsoavt{1}", kParagraphEnd,
                       cp1251("\n\n\n\\smallskip\\noindent{\\bf Борисов}\\nopagebreak"),
                       kSolutionLinks, cp1251("решения"), " \\x \\zsoavt{1}, \\z{2}", kParagraphEnd,
                   })));
}

TEST(CombinedAuthorIndex, NoAuthorGivesPreambleAndClosingOnly) {
    Tables tables = tablesWith({"0/1"});
    addElement(tables, {cp1251("падеж"), {1}});
    Sink out;
    writeCombinedAuthorIndex(tables, authorShares(tables.elements), NameOrder::Bytewise, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Blank, ""));
}

TEST(CombinedAuthorIndex, ANameThatContinuesAnotherIsAnotherPerson) {
    Tables tables = tablesWith({"0/1", "0/2"});
    addElement(tables, {cp1251("=автор условия Иванов"), {1}});
    addElement(tables, {cp1251("=автор условия Иванова"), {2}});
    Sink out;
    writeCombinedAuthorIndex(tables, authorShares(tables.elements), NameOrder::Bytewise, out);
    EXPECT_EQ(out.text(), indexFile(Preamble::Blank, join({
                       cp1251("\n\n\n\\smallskip\\noindent{\\bf Иванов}\\nopagebreak"),
                       kConditionLinks, cp1251("условие"), " \\x \\z{1}", kParagraphEnd,
                       cp1251("\n\n\n\\smallskip\\noindent{\\bf Иванова}\\nopagebreak"),
                       kConditionLinks, cp1251("условие"), " \\x \\z{2}", kParagraphEnd,
                   })));
}

}  // namespace
