#include "text/utf8.hpp"

#include <array>
#include <bit>
#include <cstring>

#include "text/byte_masks.hpp"
#include "text/cp1251.hpp"

namespace {

// The UTF-8 form of a byte of code page 1251: three bytes at most.
struct Utf8Char {
    unsigned char length = 0;
    char bytes[3] = {};
};

std::array<Utf8Char, 256> makeUtf8Table() {
    std::array<Utf8Char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        std::int32_t c = cp1251table::toUnicode(static_cast<unsigned char>(byte));
        std::string form;
        appendUtf8(form, c < 0 ? U'\uFFFD' : static_cast<char32_t>(c));
        Utf8Char& u = table[static_cast<std::size_t>(byte)];
        u.length = static_cast<unsigned char>(form.size());
        form.copy(u.bytes, form.size());
    }
    return table;
}

// Every byte's UTF-8 form, worked out once: every output of a UTF-8 run goes through it.
const std::array<Utf8Char, 256> kUtf8Table = makeUtf8Table();

// The bytes of a bad sequence: the lead byte and the continuation bytes that follow it.
std::string_view badSequence(std::string_view text) {
    std::size_t end = 1;
    while (end < text.size() && end < 4 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return text.substr(0, end);
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
    auto put = [&](char32_t bits) { out += static_cast<char>(bits); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

namespace {

char* appendCharacter(char byte, char* out) {
    const Utf8Char& u = kUtf8Table[static_cast<unsigned char>(byte)];
    // Three bytes are copied whatever the length: `out` has room for them.
    out[0] = u.bytes[0];
    out[1] = u.bytes[1];
    out[2] = u.bytes[2];
    return out + u.length;
}

}  // namespace

char* toUtf8(std::string_view cp1251Bytes, char* out) {
    const char* in = cp1251Bytes.data();
    const char* const end = in + cp1251Bytes.size();
    // The console is mostly ASCII (numbers, LaTeX, punctuation): of each
    // sixteen bytes, those before the first letter are copied as they stand.
    // `out` has room for the sixteen, as for any byte three.
    while (end - in >= static_cast<std::ptrdiff_t>(kMaskBytes)) {
        const char* const block = in + kMaskBytes;
        const std::uint32_t high = highMask(in);
        std::memcpy(out, in, kMaskBytes);
        const auto ascii = static_cast<std::size_t>(high == 0 ? kMaskBytes : std::countr_zero(high));
        in += ascii;
        out += ascii;
        while (in != block) out = appendCharacter(*in++, out);
    }
    while (in != end) out = appendCharacter(*in++, out);
    return out;
}

std::string toUtf8(std::string_view cp1251Bytes) {
    std::string out(cp1251Bytes.size() * kUtf8Growth, '\0');
    out.resize(static_cast<std::size_t>(toUtf8(cp1251Bytes, out.data()) - out.data()));
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
