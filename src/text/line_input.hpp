#pragma once
// Reading lines of the source and of the template: the length limit and the
// cut at the line end, a carriage return, a zero byte or a comment "//".

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

#include "text/format.hpp"
#include "text/utf8.hpp"

// A line may hold at most this many characters, its line feed included.
inline constexpr std::size_t kLineLimit = 2048;

// How the files read are written: code page 1251 as it is, or UTF-8 that is
// turned into code page 1251 as it is read.
enum class Encoding { Cp1251, Utf8 };

enum class LineRead { End, Line, TooLong, BadCharacter };

// Reads the next line into `line` (line feed included, when there is one), in
// code page 1251. End: the input was exhausted before any character. TooLong:
// the line holds more than kLineLimit characters (in UTF-8: once converted); a
// carriage return right before the line feed does not count. Reading stops
// there, so a huge line costs no memory. BadCharacter: UTF-8 that code page
// 1251 cannot hold or that is no UTF-8; `fault` says which.
LineRead readLine(std::istream& in, std::string& line, Encoding encoding = Encoding::Cp1251,
                  FromUtf8* fault = nullptr);

// Skips a UTF-8 byte-order mark at the reading position, if there is one.
void skipByteOrderMark(std::istream& in);

// The message for a line that could not be turned into code page 1251.
void printEncodingFault(Bytes& console, std::string_view fileName, long lineNumber, const FromUtf8& fault);

// Cuts the line at the first line feed, carriage return, zero byte or "//".
void cutLine(std::string& line);

// Drops leading and trailing spaces and folds every run of spaces into one.
// Only the space folds; tabs and other characters stay.
void collapseSpaces(std::string& text);
