#include "driver/source_reader.hpp"

#include <string>

#include "text/cp1251.hpp"
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

void printBadLine(Bytes& console, long lineNumber, std::string_view line) {
    format(console, cp1251("\nОШИБКА в исходном файле в строке %ld:\n%s\n"), lineNumber, line);
}

}  // namespace

Flow readSource(SourceFile source, PassSinks sinks, const std::function<void(const ContentLine&)>& handle,
                long& lineCount) {
    Section section;
    std::string line;
    FromUtf8 fault;
    lineCount = 0;
    if (source.encoding == Encoding::Utf8) skipByteOrderMark(source.in);
    while (true) {
        LineRead read = readLine(source.in, line, source.encoding, &fault);
        if (read == LineRead::End) return Flow::Go;
        ++lineCount;
        if (read == LineRead::BadCharacter) {
            printEncodingFault(sinks.console, source.name, lineCount, fault);
            return Flow::Stop;
        }
        if (read == LineRead::TooLong) {
            format(sinks.console, cp1251("\nОШИБКА: в исходном файле длина строки %ld превышает 2048 символов."),
                   lineCount);
            return Flow::Stop;
        }
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
