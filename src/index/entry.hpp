#pragma once
// What every subject-index file shares: preambles, the number macros, the
// element's target and the entry line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "elements/element.hpp"
#include "latex/references.hpp"
#include "text/format.hpp"

// Which macros a subject-index file defines. Blank hides every number until
// the file redefines the macros itself.
enum class Preamble { Standard, Author, Blank };

// Opens the file's TeX group and defines the macros of the variant.
void writePreamble(Preamble variant, Sink& out);

// Closes the group opened by writePreamble of the same variant.
void writeClosing(Preamble variant, Sink& out);

// Defines ("newcommand" or "renewcommand") \z, \zsoavt when `shared`, and \zz
// as links to the page of the problem their argument numbers, showing "12",
// "(12)" and "12*" (without a page: showing nothing); each definition is
// followed by `after`.
void writeNumberMacros(std::string_view command, std::optional<Page> page, bool shared, std::string_view after,
                       Sink& out);

// Where a link to the element lands, ahead of its indented name.
void writeElementTarget(std::string_view id, Sink& out);

// "\element", the id padded to four columns and the name without its first
// `prefixLength` bytes (the whole name when it is shorter).
void writeEntryHeading(const IndexElement& element, Sink& out, std::size_t prefixLength);

// One number of an entry: "\z{3}", "\zz{17}" when starred.
void writeEntryNumber(const ListedReference& reference, Sink& out);

// One entry line: heading, the listed book numbers, note. Nothing for an
// element that is not live.
void writeElementEntry(const IndexElement& element, Sink& out, std::size_t prefixLength);
