#pragma once
// How the files a run reads are written, and turning a whole file into the
// code page 1251 text the run works on.

#include <string>
#include <string_view>

#include "text/format.hpp"
#include "text/utf8.hpp"

// Code page 1251 as it is, or UTF-8 that is turned into code page 1251 as it
// is read and back into UTF-8 as it is written.
enum class Encoding { Cp1251, Utf8 };

// A file's text in code page 1251. In UTF-8 a byte-order mark is skipped;
// the text stops at the first line that is no text in code page 1251, whose
// number `faultLine` then gives (0: no fault).
struct DecodedText {
    std::string text;
    long faultLine = 0;
    FromUtf8 fault;
    bool ok() const { return faultLine == 0; }
};
DecodedText decodeText(std::string bytes, Encoding encoding);

// True for bytes that are plainly UTF-8: they begin with a byte-order mark, or
// are valid UTF-8 throughout and hold a byte of 0x80 or above. Real code page
// 1251 text is practically never valid UTF-8.
bool looksLikeUtf8(std::string_view bytes);

// The message for a line that could not be turned into code page 1251.
void printEncodingFault(Bytes& console, std::string_view fileName, long lineNumber, const FromUtf8& fault);
