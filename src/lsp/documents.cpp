#include "lsp/documents.hpp"

#include <algorithm>
#include <array>

#include "text/cp1251.hpp"
#include "text/utf8.hpp"

void applyChange(Document& document, const TextChange& change) {
    if (change.whole) {
        document.text = change.text;
        return;
    }
    std::size_t start = offsetOf(document.text, change.start);
    std::size_t end = offsetOf(document.text, change.end);
    if (end < start) std::swap(start, end);
    document.text.replace(start, end - start, change.text);
}

namespace {

// The byte of every code point code page 1251 holds (all below U+2123), -1
// for the rest: worked out once, as every change of a document goes through it.
constexpr char32_t kTableEnd = 0x2123;

std::array<std::int16_t, kTableEnd> makeByteTable() {
    std::array<std::int16_t, kTableEnd> table;
    table.fill(-1);
    for (int byte = 0; byte < 256; ++byte) {
        std::int32_t c = cp1251table::toUnicode(static_cast<unsigned char>(byte));
        if (c >= 0) table[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(byte);
    }
    return table;
}

const std::array<std::int16_t, kTableEnd> kByteOf = makeByteTable();

int byteOf(char32_t c) {
    return c < kTableEnd ? kByteOf[c] : -1;
}

}  // namespace

BookText toBookText(std::string_view utf8) {
    BookText book;
    book.text.reserve(utf8.size());
    long line = 1;
    std::int32_t column = 0;
    while (!utf8.empty()) {
        unsigned char lead = static_cast<unsigned char>(utf8.front());
        if (lead < 0x80) {
            if (lead == '\n') {
                book.text += '\n';
                utf8.remove_prefix(1);
                ++line;
                column = 0;
                continue;
            }
            // A run of ASCII up to the next line end or other character goes whole.
            std::size_t run = 1;
            while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80 && utf8[run] != '\n') ++run;
            book.text.append(utf8.substr(0, run));
            utf8.remove_prefix(run);
            column += static_cast<std::int32_t>(run);
            continue;
        }
        ++column;
        char32_t c = 0;
        std::size_t length = decodeUtf8Character(utf8, c);
        if (length == 0) {
            // Not from an editor, whose text is valid UTF-8: held as unheld.
            length = 1;
            c = 0xFFFD;
        }
        int byte = byteOf(c);
        if (byte < 0) {
            book.text += kUnheldByte;
            book.unheld.push_back({line, column, c});
        } else {
            book.text += static_cast<char>(byte);
        }
        utf8.remove_prefix(length);
    }
    return book;
}

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

constexpr std::string_view kFileScheme = "file://";

}  // namespace

std::optional<std::filesystem::path> pathFromUri(std::string_view uri) {
    if (!uri.starts_with(kFileScheme)) return std::nullopt;
    std::string path = percentDecoded(uri.substr(kFileScheme.size()));
    // "file:///C:/book/book.src" on Windows: the drive follows the slash.
    if (path.size() >= 3 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
    std::u8string u8(path.begin(), path.end());
    return std::filesystem::path(u8);
}

std::string uriFromPath(const std::filesystem::path& path) {
    std::u8string u8 = path.generic_u8string();
    std::string out(kFileScheme);
    if (u8.empty() || u8.front() != u8'/') out += '/';
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (char8_t c8 : u8) {
        unsigned char c = static_cast<unsigned char>(c8);
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     std::string_view("-._~/").find(static_cast<char>(c)) != std::string_view::npos;
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string uriFileName(std::string_view uri) {
    std::size_t end = uri.find_first_of("?#");
    std::string_view path = uri.substr(0, end);
    std::size_t slash = path.rfind('/');
    return percentDecoded(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string siblingUri(std::string_view uri, std::string_view name) {
    std::string_view path = uri.substr(0, uri.find_first_of("?#"));
    std::size_t slash = path.rfind('/');
    return std::string(path.substr(0, slash == std::string_view::npos ? 0 : slash + 1)) + std::string(name);
}
