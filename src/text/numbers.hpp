#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "text/sink.hpp"

// The value of a text made only of decimal digits (at least one); none when it
// holds anything else or does not fit a 32-bit signed number.
std::optional<std::int32_t> parseDigits(std::string_view digits);

// The leading decimal number of a text as C's strtol reads it: optional white
// space (space, tab, line feed, vertical tab, form feed, carriage return), an
// optional sign, digits. 0 when no digit follows; saturates at the 32-bit range.
std::int32_t leadingNumber(std::string_view text);

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// True when every character is a decimal digit; true for the empty text.
inline bool isAllDigits(std::string_view text) {
    for (char c : text)
        if (!isDigit(c)) return false;
    return true;
}

// Appends the decimal form of the number, as "%d" writes it: for the writers
// that put out a number for every reference of the book.
inline void appendDecimal(Sink& out, std::int64_t value) {
    char digits[20];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out += std::string_view(digits, static_cast<std::size_t>(end - digits));
}

// Appends the hexadecimal form of a number that is never negative (a
// record's handle), as "%x" writes it.
inline void appendHexadecimal(Sink& out, std::int64_t value) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
    out += std::string_view(digits, static_cast<std::size_t>(end - digits));
}
