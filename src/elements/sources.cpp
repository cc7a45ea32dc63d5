#include "elements/sources.hpp"

#include <algorithm>
#include <utility>

#include "text/cp1251.hpp"

bool isSourceLine(std::string_view line) {
    return line.starts_with("! ") || line.starts_with("!! ");
}

SourceRefusal storeSourceLine(SourceTable& table, const SourceLine& line, std::int32_t source, Findings* findings) {
    bool isLabel = line.text.starts_with("! ");
    const std::size_t start = isLabel ? 2 : 3;
    std::string_view text = line.text.substr(start);
    // A finding about the text spans it; one about the table, the line.
    auto report = [&](Severity severity, std::size_t first, std::string_view code, Bytes why) {
        addFinding(findings, line, severity, {first, first == 0 ? 0 : line.text.size(), code, std::move(why)});
    };
    auto entry = std::find_if(table.begin(), table.end(),
                              [&](const SourceEntry& e) { return e.used == 1 && e.source == source; });
    Bytes why;
    if (entry == table.end()) {
        entry = std::find_if(table.begin(), table.end(), [](const SourceEntry& e) { return e.used != 1; });
        if (entry == table.end()) {
            format(why, cp1251("в таблице источников нет места для источника %d: их не больше %d"), source,
                   kSourceEntries);
            report(Severity::Error, 0, "source-table-full", std::move(why));
            return SourceRefusal::NoRoom;
        }
    }
    // A label too long for its field is refused whole: the entry keeps what it had.
    if (isLabel && text.size() > kAbbreviationLimit) {
        format(why, cp1251("метка источника длиннее %d символов"), kAbbreviationLimit);
        report(Severity::Error, start, "label-too-long", std::move(why));
        return SourceRefusal::LabelTooLong;
    }
    const std::string& earlier = isLabel ? entry->abbreviation : entry->fullName;
    if (entry->used == 1 && !earlier.empty()) {
        if (isLabel) format(why, cp1251("метка источника %d задана ещё раз; прежняя «%s» пропадает"), source, earlier);
        else format(why, cp1251("полное название источника %d задано ещё раз; прежнее «%s» пропадает"), source, earlier);
        report(Severity::Warning, start, "source-text-replaced", std::move(why));
    }
    entry->used = 1;
    entry->source = source;
    (isLabel ? entry->abbreviation : entry->fullName) = std::string(text);
    return SourceRefusal::None;
}
