#include "driver/source_reader.hpp"

#include <span>
#include <string>
#include <utility>

#include "driver/console.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"
#include "text/numbers.hpp"

namespace {

struct Section {
    SectionMode mode = SectionMode::None;
    std::int32_t source = 0;
};

enum class Marker { None, Taken, Broken };

Marker readMarker(std::string_view line, Section& section) {
    if (line == "#!") {
        section.mode = SectionMode::Problems;
        return Marker::Taken;
    }
    if (line == "#/-") {
        section = {SectionMode::Elements, -1};
        return Marker::Taken;
    }
    if (!line.starts_with("#/") || !isAllDigits(line.substr(2))) return Marker::None;
    std::string_view digits = line.substr(2);
    auto source = digits.empty() ? std::optional<std::int32_t>(0) : parseDigits(digits);
    if (!source) return Marker::Broken;
    section = {SectionMode::Elements, *source};
    return Marker::Taken;
}

constexpr auto kWebAddressCut = cp1251("«//» после «:» начинает комментарий: веб-адрес обрезан");
constexpr auto kBeforeAnyMarker = cp1251("текст до первой метки раздела («#!», «#/НОМЕР» или «#/-»)");

Bytes tooLongFault() {
    Bytes why;
    format(why, cp1251("строка длиннее %d символов"), kLineLimit);
    return why;
}

Bytes brokenMarkerFault(std::string_view marker) {
    Bytes why;
    format(why, cp1251("номер источника в метке «%s» слишком велик"), marker);
    return why;
}

// What a carriage return or a zero byte inside a line cuts off: a run reads
// the line only up to there, as it always has.
void warnOfCut(std::string_view raw, long lineNumber, Findings* findings) {
    CutText cut = cutInside(raw);
    if (cut.dropped.empty()) return;
    Bytes why;
    format(why, cp1251("%s обрезает строку: «%s» не будет прочитано"),
           cut.by == '\r' ? cp1251("возврат каретки (CR)").view() : cp1251("нулевой байт").view(), cut.dropped);
    addFinding(findings, {InFile::Source, lineNumber, static_cast<std::int32_t>(cut.at + 1), lineWidth(raw)},
               Severity::Warning, "line-cut", std::move(why));
}

// Whether a carriage return or a zero byte may cut the line: the cleaning
// stops at the first of them, so a line that ends at its line feed or its
// comment loses nothing, and most lines are spared the search.
bool mayBeCut(std::string_view raw, std::size_t contentEnd) {
    return contentEnd < raw.size() && (raw[contentEnd] == '\r' || raw[contentEnd] == '\0');
}

// The line's text with its spaces folded. Most lines need no folding and
// are their own cleaned text, in the source; the others are folded in a copy
// kept in `cleaned`.
std::string_view cleanedText(std::string_view text, std::vector<char>& cleaned) {
    if (!foldsSpaces(text)) return text;
    const std::size_t first = cleaned.size();
    cleaned.insert(cleaned.end(), text.begin(), text.end());
    cleaned.resize(first + collapseSpaces(std::span(cleaned).subspan(first)));
    return {cleaned.data() + first, cleaned.size() - first};
}

}  // namespace

SourceLines readSourceLines(std::string_view source, Findings* findings, Faults faults) {
    SourceLines read;
    // A line's text is never longer than the line: the texts fit, and the
    // views into them stay valid.
    read.cleaned.reserve(source.size());
    Section section;
    std::string_view raw;
    std::size_t pos = 0;
    long& lineCount = read.lineCount;
    // A fault is a finding of its line; a run stops reading there, a check
    // goes on as if the line were not there.
    auto fault = [&](LineKind kind, ContentLine at, Location where, std::string_view code, Bytes why) {
        read.lines.push_back({kind, at});
        addFinding(findings, where, Severity::Error, code, std::move(why));
        return faults == Faults::Stop;
    };
    bool macLineEnds = findings != nullptr && endsLinesWithCarriageReturns(source);
    if (macLineEnds)
        addFinding(findings, {InFile::Source, 1, 1, 1}, Severity::Error, "cr-line-ends",
                   Bytes(cp1251("строки файла разделены только возвратом каретки (CR), без перевода строки (LF): "
                                "файл читается как одна строка, обрезанная на первом CR; сохраните его с концами "
                                "строк LF или CR LF")));
    while (true) {
        LineRead lineRead = readLine(source, pos, raw);
        if (lineRead == LineRead::End) return read;
        ++lineCount;
        if (lineRead == LineRead::TooLong) {
            if (fault(LineKind::TooLong, {{}, raw, lineCount}, wholeLine(InFile::Source, lineCount, raw),
                      "line-too-long", tooLongFault()))
                return read;
            continue;
        }
        // One scan finds the line's end for all three.
        const std::size_t end = contentEnd(raw);
        if (findings != nullptr && !macLineEnds && mayBeCut(raw, end)) warnOfCut(raw, lineCount, findings);
        if (cutsWebAddress(raw, end)) {
            auto comment = static_cast<std::int32_t>(end);
            addFinding(findings, {InFile::Source, lineCount, comment + 1, comment + 2}, Severity::Warning,
                       "web-address-cut", Bytes(kWebAddressCut.view()));
        }
        const std::string_view text = cleanedText(raw.substr(0, end), read.cleaned);
        if (text.empty()) continue;
        const ContentLine content{text, raw, lineCount, section.mode, section.source};
        Marker marker = readMarker(text, section);
        if (marker == Marker::Taken) {
            read.lines.push_back({LineKind::Marker, content});
            continue;
        }
        if (marker == Marker::None && section.mode != SectionMode::None) {
            read.lines.push_back({LineKind::Content, content});
            continue;
        }
        // A broken marker is its number's fault: "#/" stands before it.
        bool stop = marker == Marker::Broken
                        ? fault(LineKind::Faulty, content, spanOf(content.sourceLine(), 2, text.size()),
                                "source-number-too-large", brokenMarkerFault(text))
                        : fault(LineKind::Faulty, content, wholeLine(InFile::Source, lineCount, raw),
                                "text-before-marker", Bytes(kBeforeAnyMarker.view()));
        if (stop) return read;
    }
}

Flow passOtherLine(const ReadLine& line, PassSinks sinks) {
    if (line.kind == LineKind::TooLong) {
        sourceLineTooLong(sinks.console, line.line.lineNumber);
        return sinks.faults == Faults::Stop ? Flow::Stop : Flow::Go;
    }
    sinks.copy += line.line.text;  // no zero byte: the line ends before the first
    sinks.copy += '\n';
    if (line.kind != LineKind::Faulty) return Flow::Go;
    badSourceLine(sinks.console, line.line.lineNumber, line.line.text);
    return sinks.faults == Faults::Stop ? Flow::Stop : Flow::Go;
}
