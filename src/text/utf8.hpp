#pragma once
// UTF-8 at the edges of a run: what is read is turned into code page 1251,
// what is written back into UTF-8; inside, the run sees code page 1251 only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Code page 1251 bytes as UTF-8. The one unassigned byte 0x98 becomes U+FFFD;
// no text read through fromUtf8 can hold it.
std::string toUtf8(std::string_view cp1251Bytes);

// The same into `out`, which has room for kUtf8Growth bytes for each byte
// given; returns the end of what was written.
inline constexpr std::size_t kUtf8Growth = 3;
char* toUtf8(std::string_view cp1251Bytes, char* out);

// UTF-8 turned into code page 1251, up to the first fault if there is one.
struct FromUtf8 {
    std::string text;
    std::int32_t codePoint = -1;  // a character code page 1251 cannot hold, or -1
    std::string badBytes;         // bytes that are no UTF-8 character, as they stood
    bool ok() const { return codePoint < 0 && badBytes.empty(); }
};

// Overlong forms, surrogates, code points beyond U+10FFFF and cut sequences
// are bad bytes.
FromUtf8 fromUtf8(std::string_view utf8);

// True when every byte belongs to a well-formed UTF-8 character.
bool isValidUtf8(std::string_view bytes);

// The UTF-8 byte-order mark.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
