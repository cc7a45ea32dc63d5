#pragma once
// Reading lines of the source and of the template: the length limit and the
// cut at the line end, a carriage return, a zero byte or a comment "//".

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/findings.hpp"

// A line may hold at most this many characters, its line feed included.
inline constexpr std::size_t kLineLimit = 2048;

enum class LineRead { End, Line, TooLong };

// Takes the line of `text` that starts at `pos` (its line feed included, when
// there is one) and moves `pos` past it. End: nothing is left. TooLong: the
// line holds more than kLineLimit characters; a carriage return right before
// the line feed does not count.
LineRead readLine(std::string_view text, std::size_t& pos, std::string_view& line);

// Cuts the line at the first line feed, carriage return, zero byte or "//".
void cutLine(std::string& line);

// The text that a carriage return or a zero byte inside the line cuts off
// (up to the line end or a comment, spaces folded), and where the cut is;
// empty when nothing visible is lost: a carriage return before the line
// feed ends a Windows line, and a comment before the cut drops the rest anyway.
struct CutText {
    std::size_t at = 0;
    char by = 0;  // '\r' or '\0'
    std::string dropped;
};
CutText cutInside(std::string_view line);

// True when the text has no line feed but a carriage return with more text
// after it: its lines end as on the old Macs, and a run reads one line.
bool endsLinesWithCarriageReturns(std::string_view text);

// Where the line's text ends: at its line feed, carriage return or zero
// byte, or at a comment "//" before them.
std::size_t contentEnd(std::string_view line);

// True when the line's comment "//" follows a ":", as in "http://": the cut
// takes a web address apart. `end`: the line's contentEnd, when it is known.
bool cutsWebAddress(std::string_view line);
bool cutsWebAddress(std::string_view line, std::size_t end);

// The column (1-based, in characters of `raw`, the line as it stands in the
// file) of the character at `offset` in the line's cleaned text: cut at its
// comment and with spaces folded. An offset past the cleaned text gives the
// column after its last character.
std::int32_t columnOf(std::string_view raw, std::size_t offset);

// How many characters the line holds without its line end; at least 1, so
// that a finding about an empty line still spans a column.
std::int32_t lineWidth(std::string_view raw);

// A content line of the source as its parsers see it: its cleaned text (no
// comment, spaces folded), the line as it stands in the file, and its number.
struct SourceLine {
    std::string_view text;
    std::string_view raw;
    long number = 0;
};

// Each line of a text as it stands in the file, the first at index 0: what
// the checks of whole tables need to place their findings.
using RawLines = std::vector<std::string_view>;

// Where the characters [first, end) of the line's cleaned text stand in the
// file; an empty span stands at the column of `first`.
Location spanOf(const SourceLine& line, std::size_t first, std::size_t end);

// Where the whole line stands: from its first column to its last.
Location wholeLine(InFile file, long number, std::string_view raw);

// Adds the fault of a line to `findings` at its place: its span, or the
// whole line when the span is empty.
void addFinding(Findings* findings, const SourceLine& line, Severity severity, LineFault fault);

// The line cut at its comment and with its spaces folded, as a pass reads it.
std::string cleanedLine(std::string_view raw);

// Drops leading and trailing spaces and folds every run of spaces into one.
// Only the space folds; tabs and other characters stay.
void collapseSpaces(std::string& text);

// The same in place, for a text that lies in a larger buffer: its length
// once folded.
std::size_t collapseSpaces(std::span<char> text);

// True when collapseSpaces would change the text: it has a space at either
// end or two in a row.
bool foldsSpaces(std::string_view text);
