#pragma once
// Names that print as two entries of an index but mean one: the same name
// written with other capitals, spaces, punctuation or TeX, and names one
// slip of the pen apart. Merging goes by bytes, so neither merges; a reader
// of the printed index sees both.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/findings.hpp"

// An element name where a line of the source gives it.
struct NameSighting {
    std::string_view name;  // as the element holds it: the start of its line, spaces folded
    long line = 0;
    std::string_view raw;  // the line as it stands in the file
    std::int32_t references = 0;  // on this line
};

// Two names an editor keeps apart on purpose, said by a comment of the
// source "// olyindex: разные «A» «B»".
struct DifferentNames {
    std::string first;
    std::string second;
};

// The pairs the comments of `source` keep apart; a comment that begins
// "olyindex:" but does not read as such a pair is a warning of its line.
std::vector<DifferentNames> readDifferentNames(std::string_view source, Findings* findings);

// Where two names are one edit apart in their keys: a letter inserted,
// deleted or replaced, or two neighbours swapped. `at` is where the edit
// stands in the longer key (either, when they are as long).
enum class Edit { None, Substitution, Insertion, Transposition };
struct OneEdit {
    Edit kind = Edit::None;
    std::size_t at = 0;
};
OneEdit oneEditApart(std::string_view a, std::string_view b);

// True when the two names read as one word in another form, or differ in a
// short word: "глагол" and "глаголы", "согласование" and "согласования",
// "Иванов А.Б." and "Иванов А.В."; such pairs are no typos.
bool differsInEndingOrShortWord(std::string_view a, std::string_view b);

// Warns of every pair of names (in the sightings' file order) that agree once
// compared as a reader sees them, on the later one's line, and of every pair
// of the same category that is likely a typo, on the line of the one with
// fewer references; each pair once, none that `different` names.
void checkNearNames(std::span<const NameSighting> sightings, std::span<const DifferentNames> different,
                    Findings* findings);
