#pragma once
// UTF-8 at the edges of a run: what is read is turned into code page 1251,
// what is written back into UTF-8; inside, the run sees code page 1251 only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Whether a surrogate code point counts as a character: Windows file names may
// hold a lone one, which their UTF-8 form keeps.
enum class Surrogates { Refused, Kept };

// The length of the well-formed UTF-8 character at the start of `text`, with
// its code point in `c`; 0 when the bytes there are not one (overlong forms,
// code points beyond U+10FFFF and, unless kept, surrogates are not).
constexpr std::size_t decodeUtf8Character(std::string_view text, char32_t& c,
                                          Surrogates surrogates = Surrogates::Refused) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    // The lead byte gives the length and the least code point that needs it.
    std::size_t length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (c < least || (surrogate && surrogates == Surrogates::Refused) || c > 0x10FFFF) return 0;
    return length;
}

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t c);

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
