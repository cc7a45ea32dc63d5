#include "driver/source_reader.hpp"

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

}  // namespace

Flow readSource(std::string_view source, PassSinks sinks, const std::function<void(const ContentLine&)>& handle,
                long& lineCount) {
    Section section;
    std::string line;
    std::string_view raw;
    std::size_t pos = 0;
    lineCount = 0;
    // A fault that stops a run is a finding of its line; a check goes on
    // after it as if the line were not there.
    auto fault = [&](Location at, std::string_view code, Bytes why) {
        addFinding(sinks.findings, at, Severity::Error, code, std::move(why));
        return sinks.faults == Faults::Stop;
    };
    bool macLineEnds = sinks.findings != nullptr && endsLinesWithCarriageReturns(source);
    if (macLineEnds)
        addFinding(sinks.findings, {InFile::Source, 1, 1, 1}, Severity::Error, "cr-line-ends",
                   Bytes(cp1251("строки файла разделены только возвратом каретки (CR), без перевода строки (LF): "
                                "файл читается как одна строка, обрезанная на первом CR; сохраните его с концами "
                                "строк LF или CR LF")));
    while (true) {
        LineRead read = readLine(source, pos, raw);
        if (read == LineRead::End) return Flow::Go;
        ++lineCount;
        if (read == LineRead::TooLong) {
            sourceLineTooLong(sinks.console, lineCount);
            if (fault(wholeLine(InFile::Source, lineCount, raw), "line-too-long", tooLongFault())) return Flow::Stop;
            continue;
        }
        if (sinks.findings != nullptr && !macLineEnds) warnOfCut(raw, lineCount, sinks.findings);
        // One scan finds the line's end for both.
        const std::size_t end = contentEnd(raw);
        if (cutsWebAddress(raw, end)) {
            auto comment = static_cast<std::int32_t>(end);
            addFinding(sinks.findings, {InFile::Source, lineCount, comment + 1, comment + 2}, Severity::Warning,
                       "web-address-cut", Bytes(kWebAddressCut.view()));
        }
        line.assign(raw.substr(0, end));
        collapseSpaces(line);
        if (line.empty()) continue;
        sinks.copy += line;  // no zero byte: the line ends before the first
        sinks.copy += '\n';
        Marker marker = readMarker(line, section);
        if (marker == Marker::Taken) continue;
        if (marker == Marker::Broken || section.mode == SectionMode::None) {
            badSourceLine(sinks.console, lineCount, line);
            // A broken marker is its number's fault: "#/" stands before it.
            bool stop = marker == Marker::Broken
                            ? fault(spanOf({line, raw, lineCount}, 2, line.size()), "source-number-too-large",
                                    brokenMarkerFault(line))
                            : fault(wholeLine(InFile::Source, lineCount, raw), "text-before-marker",
                                    Bytes(kBeforeAnyMarker.view()));
            if (stop) return Flow::Stop;
            continue;
        }
        handle(ContentLine{line, raw, lineCount, section.mode, section.source});
    }
}
