#pragma once
// Reading lines of the source and of the template: the length limit and the
// cut at the line end, a carriage return, a zero byte or a comment "//".

#include <cstddef>
#include <istream>
#include <string>

// A line may hold at most this many characters, its line feed included.
inline constexpr std::size_t kLineLimit = 2048;

enum class LineRead { End, Line, TooLong };

// Reads the next line into `line` (line feed included, when there is one).
// End: the input was exhausted before any character. TooLong: the line holds
// more than kLineLimit characters; a carriage return right before the line
// feed does not count. Reading stops there, so a huge line costs no memory.
LineRead readLine(std::istream& in, std::string& line);

// Cuts the line at the first line feed, carriage return, zero byte or "//".
void cutLine(std::string& line);

// Drops leading and trailing spaces and folds every run of spaces into one.
// Only the space folds; tabs and other characters stay.
void collapseSpaces(std::string& text);
