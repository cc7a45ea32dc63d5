#include "elements/sources.hpp"

#include <algorithm>
#include <utility>

#include "text/cp1251.hpp"
#include "text/messages.hpp"

bool isSourceLine(std::string_view line) {
    return line.starts_with("! ") || line.starts_with("!! ");
}

void storeSourceLine(SourceTable& table, std::string_view line, std::int32_t source, long lineNumber, Sink& console,
                     Findings* findings) {
    bool isLabel = line.starts_with("! ");
    std::string_view text = line.substr(isLabel ? 2 : 3);
    auto entry = std::find_if(table.begin(), table.end(),
                              [&](const SourceEntry& e) { return e.used == 1 && e.source == source; });
    Bytes why;
    if (entry == table.end()) {
        entry = std::find_if(table.begin(), table.end(), [](const SourceEntry& e) { return e.used != 1; });
        if (entry == table.end()) {
            console += messages::kNoRoomForSource.view();
            format(why, cp1251("в таблице источников нет места для источника %d: их не больше %d"), source,
                   kSourceEntries);
            addFinding(findings, {InFile::Source, lineNumber}, Severity::Error, "source-table-full", std::move(why));
            return;
        }
    }
    // A label too long for its field is refused whole: the entry keeps what it had.
    if (isLabel && text.size() > kAbbreviationLimit) {
        format(console, messages::kBadSourceLine, lineNumber, line);
        format(why, cp1251("метка источника длиннее %d символов"), kAbbreviationLimit);
        addFinding(findings, {InFile::Source, lineNumber}, Severity::Error, "label-too-long", std::move(why));
        return;
    }
    const std::string& earlier = isLabel ? entry->abbreviation : entry->fullName;
    if (entry->used == 1 && !earlier.empty()) {
        format(why, isLabel ? cp1251("метка источника %d задана ещё раз; прежняя «%s» пропадает").view()
                            : cp1251("полное название источника %d задано ещё раз; прежнее «%s» пропадает").view(),
               source, earlier);
        addFinding(findings, {InFile::Source, lineNumber}, Severity::Warning, "source-text-replaced", std::move(why));
    }
    entry->used = 1;
    entry->source = source;
    (isLabel ? entry->abbreviation : entry->fullName) = std::string(text);
}

void printSource(const SourceEntry& entry, Sink& console) {
    if (entry.used == 1) format(console, "%d/%s/%s\n", entry.source, entry.abbreviation, entry.fullName);
}
