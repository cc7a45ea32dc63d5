#pragma once
// Places in a document as the editor counts them: a line from 0 and a
// character in UTF-16 units, as the protocol says. The text is UTF-8 as the
// editor sent it; the book's code page 1251 text has one byte for each of its
// characters, so a column of a finding is a count of characters of the line.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

struct Position {
    std::int64_t line = 0;
    std::int64_t character = 0;  // UTF-16 units
};

// Where each line of a text begins as the book reads it: lines end at "\n"
// (a "\r" before it belongs to the line's end; one elsewhere stays inside
// the line, which it cuts).
std::vector<std::size_t> lineStarts(std::string_view text);

// Where each line begins as the editor counts lines: at "\r\n", "\n" and a
// lone "\r" alike, as the protocol says.
std::vector<std::size_t> editorLineStarts(std::string_view text);

// The text of line `line` (0-based), without its line end; empty past the end.
std::string_view lineAt(std::string_view text, const std::vector<std::size_t>& starts, std::int64_t line);

// The byte offset of a position (the editor's lines) in UTF-8 text. A
// character past the end of its line means the line's end, a line past the
// last the text's end, as the protocol asks; a position inside a surrogate
// pair falls before the pair.
std::size_t offsetOf(std::string_view text, Position position);

// The same, with the text's editorLineStarts at hand.
std::size_t offsetOf(std::string_view text, const std::vector<std::size_t>& editorStarts, Position position);

// The UTF-16 units of the first `characters` characters of a UTF-8 line (the
// whole line when it has fewer).
std::int64_t utf16Units(std::string_view utf8Line, std::int64_t characters);

// The bytes of the first `characters` characters of a UTF-8 line (the whole
// line when it has fewer), and how many characters a UTF-8 text holds.
std::size_t utf8Bytes(std::string_view utf8Line, std::int64_t characters);
std::int64_t characterCount(std::string_view utf8);

// How many characters of a UTF-8 line stand before UTF-16 unit `units`.
std::int64_t charactersBefore(std::string_view utf8Line, std::int64_t units);
