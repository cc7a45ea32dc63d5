#include "driver/source_reader.hpp"

#include <string>

#include "text/cp1251.hpp"
#include "text/line_input.hpp"
#include "text/numbers.hpp"
#include "text/messages.hpp"

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

void printBadLine(Bytes& console, long lineNumber, std::string_view line) {
    format(console, messages::kBadSourceLine, lineNumber, line);
}

}  // namespace

Flow readSource(std::string_view source, PassSinks sinks, const std::function<void(const ContentLine&)>& handle,
                long& lineCount) {
    Section section;
    std::string line;
    std::string_view raw;
    std::size_t pos = 0;
    lineCount = 0;
    while (true) {
        LineRead read = readLine(source, pos, raw);
        if (read == LineRead::End) return Flow::Go;
        ++lineCount;
        if (read == LineRead::TooLong) {
            format(sinks.console, messages::kSourceLineTooLong, lineCount, kLineLimit);
            return Flow::Stop;
        }
        line.assign(raw);
        cutLine(line);
        collapseSpaces(line);
        if (line.empty()) continue;
        format(sinks.copy, "%s\n", line);
        Marker marker = readMarker(line, section);
        if (marker == Marker::Taken) continue;
        if (marker == Marker::Broken || section.mode == SectionMode::None) {
            printBadLine(sinks.console, lineCount, line);
            return Flow::Stop;
        }
        handle(ContentLine{line, lineCount, section.mode, section.source});
    }
}
