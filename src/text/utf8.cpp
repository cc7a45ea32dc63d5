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

// Code page 1251's letters 0xC0..0xFF are U+0410..U+044F, whose UTF-8 forms
// D0 90..D1 8F follow from the byte by arithmetic: sixteen are worked out at
// once, which the table cannot do.
#if defined(__SSE2__)

// The bytes p[0..15] that are letters.
std::uint32_t letterMask(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i top = _mm_set1_epi8(static_cast<char>(0xC0));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(bytes, top), top)));
}

// The UTF-8 forms of p[0..15], 32 bytes; right for the letters only.
void putLetters(const char* p, char* out) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // D0, or D1 from 0xF0 on: 0xF0..0xFF are the signed bytes above -17.
    const __m128i lead = _mm_sub_epi8(_mm_set1_epi8(static_cast<char>(0xD0)), _mm_cmpgt_epi8(bytes, _mm_set1_epi8(-17)));
    // 0x80 | (code point & 0x3F), and the code point is the byte + 0x350.
    const __m128i low = _mm_and_si128(_mm_add_epi8(bytes, _mm_set1_epi8(0x10)), _mm_set1_epi8(0x3F));
    const __m128i trail = _mm_or_si128(low, _mm_set1_epi8(static_cast<char>(0x80)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(lead, trail));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + kMaskBytes), _mm_unpackhi_epi8(lead, trail));
}

#else

std::uint32_t letterMask(const char* p) {
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < kMaskBytes; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0xC0) mask |= std::uint32_t{1} << i;
    return mask;
}

void putLetters(const char* p, char* out) {
    for (std::size_t i = 0; i < kMaskBytes; ++i) {
        const auto byte = static_cast<unsigned char>(p[i]);
        out[2 * i] = static_cast<char>(byte >= 0xF0 ? 0xD1 : 0xD0);
        out[2 * i + 1] = static_cast<char>(0x80 | ((byte + 0x10) & 0x3F));
    }
}

#endif

}  // namespace

char* toUtf8(std::string_view cp1251Bytes, char* out) {
    const char* in = cp1251Bytes.data();
    const char* const end = in + cp1251Bytes.size();
    // The console is mostly ASCII (numbers, LaTeX, punctuation) with words of
    // letters between. Sixteen bytes are looked at together: the ASCII before
    // the first high byte is copied as it stands, then a run of letters from
    // there is turned into UTF-8 in one go, and any other byte goes through
    // the table. Each step writes 32 bytes at most with sixteen or more still
    // to come, and `out` has room for three for each.
    constexpr auto kBlock = static_cast<std::ptrdiff_t>(kMaskBytes);
    while (end - in >= kBlock) {
        const std::uint32_t high = highMask(in);
        std::memcpy(out, in, kMaskBytes);
        if (high == 0) {
            in += kBlock;
            out += kBlock;
            continue;
        }
        const int ascii = std::countr_zero(high);
        in += ascii;
        out += ascii;
        if (end - in < kBlock) break;
        const int letters = std::countr_one(letterMask(in));
        if (letters == 0) {
            out = appendCharacter(*in++, out);
            continue;
        }
        putLetters(in, out);
        in += letters;
        out += 2 * letters;
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
