#pragma once
// Code page 1251 texts written as readable UTF-8 literals in the sources and
// turned into code page 1251 bytes at compile time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/utf8.hpp"

namespace cp1251table {

// Unicode code points of the bytes 0x80 to 0xFF; 0 marks the one unassigned byte 0x98.
inline constexpr std::array<char32_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

// The code point of a byte; 0x98 has none and gives -1.
constexpr std::int32_t toUnicode(unsigned char byte) {
    if (byte < 0x80) return byte;
    char32_t c = kHigh[byte - 0x80];
    return c == 0 ? -1 : static_cast<std::int32_t>(c);
}

// The byte of a code point; -1 when code page 1251 has no such character.
constexpr int fromUnicode(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace cp1251table

template <std::size_t N>
struct CpString {
    std::array<char, N> bytes{};
    std::size_t size = 0;

    constexpr std::string_view view() const { return {bytes.data(), size}; }
    constexpr operator std::string_view() const { return view(); }
    constexpr char operator[](std::size_t i) const { return bytes[i]; }
};

// Converts a UTF-8 literal; a character outside code page 1251 or broken UTF-8
// makes the call fail to compile.
template <std::size_t N>
consteval CpString<N> cp1251(const char (&utf8)[N]) {
    CpString<N> out;
    std::size_t i = 0;
    const std::size_t end = N - 1;  // the literal's terminating zero is not text
    while (i < end) {
        char32_t c = 0;
        std::size_t length = decodeUtf8Character(std::string_view(utf8 + i, end - i), c);
        if (length == 0) throw "broken UTF-8 in a literal";
        int byte = cp1251table::fromUnicode(c);
        if (byte < 0) throw "a character outside code page 1251";
        out.bytes[out.size++] = static_cast<char>(byte);
        i += length;
    }
    return out;
}
