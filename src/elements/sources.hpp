#pragma once
// The table of sources: each source's label and full name, from the "! " and
// "!! " lines of its element sections.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/findings.hpp"
#include "text/format.hpp"
#include "text/line_input.hpp"

struct SourceEntry {
    std::int32_t used = 0;
    std::int32_t source = 0;
    std::string abbreviation;  // at most kAbbreviationLimit characters
    std::string fullName;
};

inline constexpr std::size_t kSourceEntries = 101;
inline constexpr std::size_t kAbbreviationLimit = 1024;

using SourceTable = std::array<SourceEntry, kSourceEntries>;

// True for "! text" (a label) and "!! text" (a full name).
bool isSourceLine(std::string_view line);

// Why a label or full-name line was not taken: the table has no room for
// another source, or the label is over kAbbreviationLimit.
enum class SourceRefusal { None, NoRoom, LabelTooLong };

// Takes a label or full-name line of the section of `source` into the table;
// a refused line, or one that replaces a text given before, is a finding.
SourceRefusal storeSourceLine(SourceTable& table, const SourceLine& line, std::int32_t source,
                              Findings* findings = nullptr);
