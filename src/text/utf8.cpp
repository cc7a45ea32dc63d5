#include "text/utf8.hpp"

#include "text/cp1251.hpp"

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The bytes of a bad sequence: the lead byte and the continuation bytes that follow it.
std::string_view badSequence(std::string_view text) {
    std::size_t end = 1;
    while (end < text.size() && end < 4 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return text.substr(0, end);
}

}  // namespace

std::string toUtf8(std::string_view cp1251Bytes) {
    std::string out;
    out.reserve(cp1251Bytes.size() * 2);
    for (char byte : cp1251Bytes) {
        std::int32_t c = cp1251table::toUnicode(static_cast<unsigned char>(byte));
        appendUtf8(out, c < 0 ? U'\uFFFD' : static_cast<char32_t>(c));
    }
    return out;
}

FromUtf8 fromUtf8(std::string_view utf8) {
    FromUtf8 result;
    result.text.reserve(utf8.size());
    while (!utf8.empty()) {
        char32_t c = 0;
        std::size_t length = decodeUtf8Character(utf8, c);
        if (length == 0) {
            result.badBytes = std::string(badSequence(utf8));
            return result;
        }
        int byte = cp1251table::fromUnicode(c);
        if (byte < 0) {
            result.codePoint = static_cast<std::int32_t>(c);
            return result;
        }
        result.text += static_cast<char>(byte);
        utf8.remove_prefix(length);
    }
    return result;
}

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        char32_t c = 0;
        std::size_t length = decodeUtf8Character(bytes, c);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}
