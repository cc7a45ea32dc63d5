#include "text/line_input.hpp"

#include <algorithm>
#include <utility>

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

// Where the line ends before any comment: at its line feed, carriage return
// or zero byte.
std::size_t lineEnd(std::string_view line) {
    auto end = std::find_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
    return static_cast<std::size_t>(end - line.begin());
}

}  // namespace

void cutLine(std::string& line) {
    std::size_t cut = lineEnd(line);
    cut = std::min(cut, std::string_view(line).substr(0, cut).find("//"));
    line.resize(cut);
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
    // One pass over the line: find_first_of would look the three bytes up
    // at every character, and every line is asked, pass after pass.
    line = line.substr(0, lineEnd(line));
    std::size_t comment = line.find("//");
    return comment != std::string_view::npos && comment > 0 && line[comment - 1] == ':';
}

std::int32_t columnOf(std::string_view raw, std::size_t offset) {
    std::size_t end = lineEnd(raw);
    end = std::min(end, raw.substr(0, end).find("//"));
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

void collapseSpaces(std::string& text) {
    std::size_t kept = 0;
    for (char c : text) {
        if (c == ' ' && (kept == 0 || text[kept - 1] == ' ')) continue;
        text[kept++] = c;
    }
    if (kept > 0 && text[kept - 1] == ' ') --kept;
    text.resize(kept);
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
