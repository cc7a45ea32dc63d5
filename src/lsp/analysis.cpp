#include "lsp/analysis.hpp"

#include <algorithm>
#include <charconv>

#include "driver/book_config.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/format.hpp"
#include "text/line_input.hpp"

namespace {

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The source number of a marker "#/digits"; -1 for "#/-"; none for a line that is no element marker.
std::optional<std::int32_t> elementMarker(std::string_view cleaned) {
    if (!cleaned.starts_with("#/")) return std::nullopt;
    std::string_view rest = cleaned.substr(2);
    if (rest == "-") return -1;
    if (!allDigits(rest)) return std::nullopt;
    if (rest.empty()) return 0;
    std::int32_t source = 0;
    auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), source);
    if (error != std::errc()) return std::nullopt;
    return source;
}

std::vector<LineRole> lineRoles(const std::string& text, const std::vector<std::size_t>& starts) {
    std::vector<LineRole> roles(starts.size());
    bool marked = false;
    bool inElements = false;
    std::int32_t source = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        std::size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
        std::string cleaned = cleanedLine(std::string_view(text).substr(starts[i], end - starts[i]));
        LineRole& role = roles[i];
        if (cleaned == "#!") {
            marked = true;
            inElements = false;
            role.kind = LineKind::ProblemMarker;
        } else if (std::optional<std::int32_t> marker = elementMarker(cleaned)) {
            marked = true;
            inElements = true;
            source = *marker;
            role.kind = LineKind::ElementMarker;
        } else if (cleaned.empty()) {
            role.kind = LineKind::Blank;
        } else if (!marked) {
            role.kind = LineKind::BeforeMarker;
        } else if (!inElements) {
            role.kind = LineKind::Problem;
        } else if (cleaned.starts_with("!! ")) {
            role.kind = LineKind::SourceName;
        } else if (cleaned.starts_with("! ")) {
            role.kind = LineKind::SourceLabel;
        } else {
            role.kind = LineKind::Element;
        }
        role.inElements = inElements;
        role.source = source;
    }
    return roles;
}

// The characters code page 1251 cannot hold are errors at their places.
void addUnheld(const BookText& book, InFile file, Findings& findings) {
    for (const UnheldCharacter& c : book.unheld) {
        Bytes message;
        format(message, cp1251("символ U+%04X нельзя записать в кодировке 1251"), static_cast<std::int32_t>(c.codePoint));
        addFinding(&findings, Location{file, c.line, c.column, c.column}, Severity::Error,
                   "not-in-code-page", std::move(message));
    }
}

std::string_view lineOf(std::string_view text, const std::vector<std::size_t>& starts, std::int64_t line) {
    return lineAt(text, starts, line);
}

// The editor's text with its lines counted both ways.
Analysis withLines(std::string utf8) {
    Analysis a;
    a.utf8 = std::move(utf8);
    a.utf8Starts = lineStarts(a.utf8);
    a.editorStarts = editorLineStarts(a.utf8);
    return a;
}

// The same, and its code page 1251 form with its lines.
Analysis withBookText(std::string utf8) {
    Analysis a = withLines(std::move(utf8));
    a.book = toBookText(a.utf8);
    a.bookStarts = lineStarts(a.book.text);
    return a;
}

}  // namespace

Analysis analyse(std::string utf8, std::optional<std::string> templateText, CheckOptions options) {
    Analysis a = withBookText(std::move(utf8));
    a.roles = lineRoles(a.book.text, a.bookStarts);
    a.check = checkBook(a.book.text, std::move(templateText), std::move(options));
    addUnheld(a.book, InFile::Source, a.check.findings);
    return a;
}

Analysis analyseTemplate(std::string utf8) {
    Analysis a = withBookText(std::move(utf8));
    a.check = checkBook(std::string(), a.book.text);
    std::erase_if(a.check.findings, [](const Finding& f) { return f.file != InFile::Template; });
    addUnheld(a.book, InFile::Template, a.check.findings);
    return a;
}

Analysis analyseConfig(std::string utf8) {
    Analysis a = withLines(std::move(utf8));
    loadBookConfig(a.utf8, &a.check.findings);
    return a;
}

BookPlace bookPlace(const Analysis& analysis, Position position) {
    std::size_t offset = offsetOf(analysis.utf8, analysis.editorStarts, position);
    auto after = std::upper_bound(analysis.utf8Starts.begin(), analysis.utf8Starts.end(), offset);
    std::size_t begin = *(after - 1);
    std::string_view before = std::string_view(analysis.utf8).substr(begin, offset - begin);
    return BookPlace{after - 1 - analysis.utf8Starts.begin(), characterCount(before)};
}

Position editorPosition(const Analysis& analysis, long line, std::int64_t characters) {
    if (line < 1) return {};
    auto lines = static_cast<std::int64_t>(analysis.utf8Starts.size());
    if (line > lines)  // past the text: as many lines past the editor's last
        return Position{line - lines + static_cast<std::int64_t>(analysis.editorStarts.size()) - 1, 0};
    std::string_view text = utf8Line(analysis, line - 1);
    std::size_t offset = analysis.utf8Starts[static_cast<std::size_t>(line - 1)] + utf8Bytes(text, characters);
    auto after = std::upper_bound(analysis.editorStarts.begin(), analysis.editorStarts.end(), offset);
    std::size_t begin = *(after - 1);
    std::string_view before = std::string_view(analysis.utf8).substr(begin, offset - begin);
    return Position{after - 1 - analysis.editorStarts.begin(), utf16Units(before, characterCount(before))};
}

Json rangeOf(const Analysis& analysis, long line, std::int32_t first, std::int32_t last) {
    Position start = editorPosition(analysis, line, std::max(first, 1) - 1);
    Position end = last < first ? start : editorPosition(analysis, line, last);
    auto at = [](Position p) { return Json{{"line", p.line}, {"character", p.character}}; };
    return Json{{"start", at(start)}, {"end", at(end)}};
}

std::string_view bookLine(const Analysis& analysis, std::int64_t line) {
    return lineOf(analysis.book.text, analysis.bookStarts, line);
}

std::string_view utf8Line(const Analysis& analysis, std::int64_t line) {
    return lineOf(analysis.utf8, analysis.utf8Starts, line);
}

LineRole roleOf(const Analysis& analysis, std::int64_t line) {
    if (line < 0 || static_cast<std::size_t>(line) >= analysis.roles.size()) return {};
    return analysis.roles[static_cast<std::size_t>(line)];
}

ElementParts elementParts(std::string_view raw) {
    raw = raw.substr(0, std::min(raw.find("//"), raw.find_first_of("\r\n")));
    ElementParts parts;
    std::size_t dash = findDashSeparator(raw, 0);
    parts.hasDash = dash != std::string_view::npos;
    std::string_view name = raw.substr(0, parts.hasDash ? dash : raw.size());
    std::size_t first = name.find_first_not_of(' ');
    std::size_t last = name.find_last_not_of(' ');
    if (first != std::string_view::npos) {
        parts.nameFirst = first;
        parts.nameEnd = last + 1;
    }
    if (!parts.hasDash) return parts;
    parts.referencesFirst = dash + 2;
    std::size_t i = parts.referencesFirst;
    while (i < raw.size()) {
        if (raw[i] < '0' || raw[i] > '9') {
            ++i;
            continue;
        }
        ReferenceToken token;
        token.first = i;
        while (i < raw.size() && ((raw[i] >= '0' && raw[i] <= '9') || raw[i] == '.' || raw[i] == '*')) ++i;
        token.end = i;
        std::string_view text = raw.substr(token.first, token.end - token.first);
        token.starred = text.ends_with('*');
        if (token.starred) text.remove_suffix(1);
        std::size_t point = text.find('.');
        std::string_view number = text.substr(0, point);
        std::string_view subnumber = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
        bool wellFormed = !number.empty() && number.size() <= 4 && allDigits(number) && allDigits(subnumber) &&
                          subnumber.size() <= 3 && (point == std::string_view::npos || !subnumber.empty());
        if (wellFormed) {
            std::from_chars(number.data(), number.data() + number.size(), token.number);
            if (!subnumber.empty()) std::from_chars(subnumber.data(), subnumber.data() + subnumber.size(), token.subnumber);
        }
        parts.references.push_back(token);
    }
    return parts;
}

std::string elementName(std::string_view raw, const ElementParts& parts) {
    std::string name(raw.substr(parts.nameFirst, parts.nameEnd - parts.nameFirst));
    collapseSpaces(name);
    return name;
}

ProblemRef resolve(const Tables& tables, std::int32_t source, const ReferenceToken& token) {
    if (token.number < 0) return nullptr;
    return findProblem(tables.problems, source, token.number, token.subnumber < 0 ? 0 : token.subnumber);
}

ProblemRef problemOnLine(const Tables& tables, long line) {
    const auto& records = tables.problems.records;
    auto end = std::partition_point(records.begin(), records.end(), [](const ProblemRecord& r) { return r.line > 0; });
    auto at = std::lower_bound(records.begin(), end, line, [](const ProblemRecord& r, long l) { return r.line < l; });
    return at != end && at->line == line ? &*at : nullptr;
}

const IndexElement* elementOnLine(const Tables& tables, long line) {
    const ElementTable& elements = tables.elements;
    auto end = std::partition_point(elements.begin(), elements.end(), [](const IndexElement& e) { return e.line > 0; });
    auto at = std::lower_bound(elements.begin(), end, line, [](const IndexElement& e, long l) { return e.line < l; });
    return at != end && at->line == line ? &*at : nullptr;
}
