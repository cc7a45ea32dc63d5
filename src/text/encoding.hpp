#pragma once
// How the files a run reads are written, and turning a whole file into the
// code page 1251 text the run works on.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/format.hpp"
#include "text/utf8.hpp"

// Code page 1251 as it is, or UTF-8 that is turned into code page 1251 as it
// is read and back into UTF-8 as it is written.
enum class Encoding { Cp1251, Utf8 };

// Hands code page 1251 bytes to `write` in the encoding: as they are, or
// turned into UTF-8 a slice at a time, so that no converted copy is ever
// held whole and nothing is allocated on the way.
template <class Write>
void writeEncoded(std::string_view bytes, Encoding encoding, Write&& write) {
    if (encoding == Encoding::Cp1251) {
        write(bytes);
        return;
    }
    // A slice goes out in one write: large enough that a console read
    // through a pipe is not woken for every few lines.
    constexpr std::size_t kSlice = 16384;
    std::array<char, kSlice * kUtf8Growth> converted;
    while (!bytes.empty()) {
        std::string_view slice = bytes.substr(0, kSlice);
        char* end = toUtf8(slice, converted.data());
        write(std::string_view(converted.data(), static_cast<std::size_t>(end - converted.data())));
        bytes.remove_prefix(slice.size());
    }
}

// A file's text in code page 1251. In UTF-8 a byte-order mark is skipped;
// the text stops at the first line that is no text in code page 1251, whose
// number `faultLine` then gives (0: no fault), and `faultColumn` the place of
// the character at fault among the line's characters, from 1.
struct DecodedText {
    std::string text;
    long faultLine = 0;
    long faultColumn = 0;
    FromUtf8 fault;
    bool ok() const { return faultLine == 0; }
};
DecodedText decodeText(std::string bytes, Encoding encoding);

// True for bytes that are plainly UTF-8: they begin with a byte-order mark, or
// are valid UTF-8 throughout and hold a byte of 0x80 or above. Real code page
// 1251 text is practically never valid UTF-8.
bool looksLikeUtf8(std::string_view bytes);
