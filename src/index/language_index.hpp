#pragma once
// The index of languages: a hand-made template whose placeholders "[]" are
// filled with the numbers of the language elements.

#include <optional>
#include <string>
#include <vector>
#include <string_view>

#include "elements/table_checks.hpp"
#include "elements/tables.hpp"
#include "text/findings.hpp"
#include "text/flow.hpp"
#include "text/format.hpp"

// The hand-made template and the file made from it, in the book's directory.
inline constexpr std::string_view kTemplateName = "indeksal_yazykov.tex.template";
inline constexpr std::string_view kLanguageIndexName = "indeksal_yazykov.tex";

// Copies the template's text (code page 1251) into `out`, filling the
// placeholders of each language block; no template writes nothing. A template
// line over the length limit stops the copy: Stop, and `lineTooLong` is its
// number (0 otherwise).
Flow writeLanguageIndex(const Tables& tables, std::optional<std::string_view> templ, Sink& out, long& lineTooLong);

// What a run would make of the template, as findings: lines over the limit
// (errors), a comment that cuts a web address, a placeholder outside a
// language block or in a block without a language (warnings). The languages
// its blocks name, in their order.
std::vector<BlockLanguage> checkTemplate(std::string_view templ, Findings* findings);

// The language a block's name line names: the text after the first run of
// blanks up to "}" or the end, with the stress accents "\'" taken out.
std::string languageNameOf(std::string_view nameLine);
