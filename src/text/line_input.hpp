#pragma once
// Reading lines of the source and of the template: the length limit and the
// cut at the line end, a carriage return, a zero byte or a comment "//".

#include <cstddef>
#include <string>
#include <string_view>

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

// True when the line's comment "//" follows a ":", as in "http://": the cut
// takes a web address apart.
bool cutsWebAddress(std::string_view line);

// Drops leading and trailing spaces and folds every run of spaces into one.
// Only the space folds; tabs and other characters stay.
void collapseSpaces(std::string& text);
