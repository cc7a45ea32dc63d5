#pragma once
// The index of languages: a hand-made template whose placeholders "[]" are
// filled with the numbers of the language elements.

#include <istream>
#include <string>
#include <string_view>

#include "elements/tables.hpp"
#include "text/flow.hpp"
#include "text/format.hpp"
#include "text/line_input.hpp"

// Copies the template into `out`, filling the placeholders of each language
// block; no template (nullptr) writes nothing. Then the separator. A template
// line over the length limit, or (in UTF-8) one that is no text in code page
// 1251, is reported and stops the run, without the separator.
Flow writeLanguageIndex(const Tables& tables, std::istream* templ, Encoding encoding, Bytes& out, Bytes& console);

// The language a block's name line names: the text after the first run of
// blanks up to "}" or the end, with the stress accents "\'" taken out.
std::string languageNameOf(std::string_view nameLine);
