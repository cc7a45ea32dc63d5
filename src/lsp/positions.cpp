#include "lsp/positions.hpp"

#include <algorithm>

#include "text/utf8.hpp"

namespace {

// One character of UTF-8 text: its length in bytes and in UTF-16 units. A
// byte that begins no character (the editor's text is valid UTF-8, so only
// a fuzzer gives one) counts as one of each.
struct Step {
    std::size_t bytes = 1;
    std::int64_t units = 1;
};

Step stepAt(std::string_view text) {
    char32_t c = 0;
    std::size_t length = decodeUtf8Character(text, c);
    if (length == 0) return {};
    return {length, c >= 0x10000 ? 2 : 1};
}

std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// The editor's line that starts at `begin`: where its text ends, and where
// the next line starts (npos after the last line).
struct EditorLine {
    std::size_t end = 0;
    std::size_t next = std::string_view::npos;
};

EditorLine editorLineAt(std::string_view text, std::size_t begin) {
    // Two memchr calls over the line: find_first_of would test every byte against both.
    std::size_t lf = text.find('\n', begin);
    std::size_t end = std::min(lf, text.size());
    std::size_t cr = text.substr(begin, end - begin).find('\r');
    if (cr != std::string_view::npos) end = begin + cr;
    if (end == text.size()) return {end, std::string_view::npos};
    bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    return {end, end + (crlf ? 2 : 1)};
}

// The offset `units` UTF-16 units into the line text [begin, end), at most its end.
std::size_t offsetInLine(std::string_view text, std::size_t begin, std::size_t end, std::int64_t units) {
    std::string_view line = text.substr(begin, end - begin);
    std::size_t at = 0;
    std::int64_t seen = 0;
    while (at < line.size()) {
        Step step = stepAt(line.substr(at));
        if (seen + step.units > units) break;
        seen += step.units;
        at += step.bytes;
    }
    return begin + at;
}

}  // namespace

std::vector<std::size_t> lineStarts(std::string_view text) {
    std::vector<std::size_t> starts{0};
    for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
        starts.push_back(i + 1);
    return starts;
}

std::vector<std::size_t> editorLineStarts(std::string_view text) {
    if (text.find('\r') == std::string_view::npos) return lineStarts(text);  // the lines of nearly every book
    std::vector<std::size_t> starts{0};
    for (std::size_t next = editorLineAt(text, 0).next; next != std::string_view::npos;
         next = editorLineAt(text, next).next)
        starts.push_back(next);
    return starts;
}

std::string_view lineAt(std::string_view text, const std::vector<std::size_t>& starts, std::int64_t line) {
    if (line < 0 || static_cast<std::size_t>(line) >= starts.size()) return {};
    std::size_t begin = starts[static_cast<std::size_t>(line)];
    std::size_t end = static_cast<std::size_t>(line) + 1 < starts.size() ? starts[static_cast<std::size_t>(line) + 1]
                                                                           : text.size();
    return withoutLineEnd(text.substr(begin, end - begin));
}

std::size_t offsetOf(std::string_view text, Position position) {
    std::size_t begin = 0;
    for (std::int64_t line = 0; line < position.line; ++line) {
        begin = editorLineAt(text, begin).next;
        if (begin == std::string_view::npos) return text.size();
    }
    return offsetInLine(text, begin, editorLineAt(text, begin).end, position.character);
}

std::size_t offsetOf(std::string_view text, const std::vector<std::size_t>& editorStarts, Position position) {
    if (static_cast<std::size_t>(position.line) >= editorStarts.size()) return text.size();
    std::size_t begin = editorStarts[static_cast<std::size_t>(position.line)];
    return offsetInLine(text, begin, editorLineAt(text, begin).end, position.character);
}

std::int64_t utf16Units(std::string_view utf8Line, std::int64_t characters) {
    std::int64_t units = 0;
    for (std::int64_t i = 0; i < characters && !utf8Line.empty(); ++i) {
        Step step = stepAt(utf8Line);
        units += step.units;
        utf8Line.remove_prefix(step.bytes);
    }
    return units;
}

std::size_t utf8Bytes(std::string_view utf8Line, std::int64_t characters) {
    std::size_t bytes = 0;
    for (std::int64_t i = 0; i < characters && bytes < utf8Line.size(); ++i) bytes += stepAt(utf8Line.substr(bytes)).bytes;
    return bytes;
}

std::int64_t characterCount(std::string_view utf8) {
    std::int64_t characters = 0;
    for (std::size_t at = 0; at < utf8.size(); at += stepAt(utf8.substr(at)).bytes) ++characters;
    return characters;
}

std::int64_t charactersBefore(std::string_view utf8Line, std::int64_t units) {
    std::int64_t characters = 0;
    std::int64_t seen = 0;
    while (!utf8Line.empty()) {
        Step step = stepAt(utf8Line);
        if (seen + step.units > units) break;
        seen += step.units;
        ++characters;
        utf8Line.remove_prefix(step.bytes);
    }
    return characters;
}
