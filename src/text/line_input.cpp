#include "text/line_input.hpp"

#include <algorithm>
#include <bit>
#include <utility>

#include "text/byte_masks.hpp"

LineRead readLine(std::string_view text, std::size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return LineRead::End;
    std::size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    line = text.substr(pos, end - pos);
    pos = end;
    std::size_t counted = line.size();
    if (line.ends_with("\r\n")) --counted;
    return counted > kLineLimit ? LineRead::TooLong : LineRead::Line;
}

namespace {

// The first space that folding drops: one at the start, or one after
// another space; the size when there is none. Most lines hold none.
std::size_t firstDroppedSpace(std::string_view text) {
    const char* s = text.data();
    const std::size_t n = text.size();
    if (n > 0 && s[0] == ' ') return 0;
    std::size_t i = 1;
    for (; i + kMaskBytes <= n; i += kMaskBytes) {
        const std::uint32_t pairs = equalMask(s + i, ' ') & equalMask(s + i - 1, ' ');
        if (pairs != 0) return i + static_cast<std::size_t>(std::countr_zero(pairs));
    }
    for (; i < n; ++i)
        if (s[i] == ' ' && s[i - 1] == ' ') return i;
    return n;
}

}  // namespace

// Every pass asks it of every line.
std::size_t contentEnd(std::string_view line) {
    const char* s = line.data();
    const std::size_t n = line.size();
    std::size_t i = 0;
    // The comment's second slash is looked at one byte further on.
    for (; i + kMaskBytes < n; i += kMaskBytes) {
        const std::uint32_t ends = equalMask(s + i, '\n') | equalMask(s + i, '\r') | equalMask(s + i, '\0') |
                                   (equalMask(s + i, '/') & equalMask(s + i + 1, '/'));
        if (ends != 0) return i + static_cast<std::size_t>(std::countr_zero(ends));
    }
    for (; i < n; ++i) {
        const char c = s[i];
        if (c == '\n' || c == '\r' || c == '\0' || (c == '/' && i + 1 < n && s[i + 1] == '/')) return i;
    }
    return n;
}

void cutLine(std::string& line) {
    line.resize(contentEnd(line));
}

CutText cutInside(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    // Most lines hold neither byte: two memchr calls tell.
    std::size_t cut = std::min(line.find('\r'), line.find('\0'));
    if (cut == std::string_view::npos || line.substr(0, cut).find("//") != std::string_view::npos) return {};
    std::string rest(line.substr(cut + 1));
    std::replace_if(rest.begin(), rest.end(), [](char c) { return c == '\r' || c == '\0'; }, ' ');
    rest.resize(std::min(rest.size(), rest.find("//")));
    collapseSpaces(rest);
    if (rest.empty()) return {};
    return {cut, line[cut], std::move(rest)};
}

bool endsLinesWithCarriageReturns(std::string_view text) {
    if (text.find('\n') != std::string_view::npos) return false;
    std::size_t cr = text.find('\r');
    return cr != std::string_view::npos && text.find_first_not_of("\r ", cr) != std::string_view::npos;
}

bool cutsWebAddress(std::string_view line) {
    return cutsWebAddress(line, contentEnd(line));
}

bool cutsWebAddress(std::string_view line, std::size_t end) {
    return end < line.size() && line[end] == '/' && end > 0 && line[end - 1] == ':';
}

std::int32_t columnOf(std::string_view raw, std::size_t offset) {
    std::size_t end = contentEnd(raw);
    // The folding of collapseSpaces replayed: a space right after a kept
    // space, or before any kept character, is dropped.
    std::size_t kept = 0;
    std::size_t next = 0;  // where the character after the last kept one stands
    char last = ' ';
    for (std::size_t i = 0; i < end; ++i) {
        char c = raw[i];
        if (c == ' ' && last == ' ') continue;
        if (kept == offset) return static_cast<std::int32_t>(i + 1);
        ++kept;
        last = c;
        next = i + 1;
    }
    return static_cast<std::int32_t>(next + 1);
}

std::int32_t lineWidth(std::string_view raw) {
    if (raw.ends_with('\n')) raw.remove_suffix(1);
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(raw.size()));
}

bool foldsSpaces(std::string_view text) {
    return !text.empty() && (text.back() == ' ' || firstDroppedSpace(text) < text.size());
}

std::size_t collapseSpaces(std::span<char> text) {
    // Up to the first dropped space the text stays as it is.
    std::size_t kept = firstDroppedSpace(std::string_view(text.data(), text.size()));
    for (std::size_t i = kept; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' && (kept == 0 || text[kept - 1] == ' ')) continue;
        text[kept++] = c;
    }
    if (kept > 0 && text[kept - 1] == ' ') --kept;
    return kept;
}

void collapseSpaces(std::string& text) {
    text.resize(collapseSpaces(std::span<char>(text.data(), text.size())));
}


Location spanOf(const SourceLine& line, std::size_t first, std::size_t end) {
    std::int32_t firstColumn = columnOf(line.raw, first);
    std::int32_t lastColumn = end > first ? columnOf(line.raw, end - 1) : firstColumn;
    return {InFile::Source, line.number, firstColumn, lastColumn};
}

Location wholeLine(InFile file, long number, std::string_view raw) {
    return {file, number, 1, lineWidth(raw)};
}

std::string cleanedLine(std::string_view raw) {
    std::string line(raw);
    cutLine(line);
    collapseSpaces(line);
    return line;
}

void addFinding(Findings* findings, const SourceLine& line, Severity severity, LineFault fault) {
    if (findings == nullptr) return;
    Location at = fault.first == fault.end ? wholeLine(InFile::Source, line.number, line.raw)
                                           : spanOf(line, fault.first, fault.end);
    addFinding(findings, at, severity, fault.code, std::move(fault.message));
}
