#include "elements/sources.hpp"

#include <algorithm>

#include "text/cp1251.hpp"
#include "text/messages.hpp"

void clearSource(SourceEntry& entry) {
    entry = SourceEntry{};
}

bool isSourceLine(std::string_view line) {
    return line.starts_with("! ") || line.starts_with("!! ");
}

void storeSourceLine(SourceTable& table, std::string_view line, std::int32_t source, long lineNumber, Sink& console) {
    bool isLabel = line.starts_with("! ");
    std::string_view text = line.substr(isLabel ? 2 : 3);
    auto entry = std::find_if(table.begin(), table.end(),
                              [&](const SourceEntry& e) { return e.used == 1 && e.source == source; });
    if (entry == table.end()) {
        entry = std::find_if(table.begin(), table.end(), [](const SourceEntry& e) { return e.used != 1; });
        if (entry == table.end()) {
            console += messages::kNoRoomForSource.view();
            return;
        }
    }
    // A label too long for its field is refused whole: the entry keeps what it had.
    if (isLabel && text.size() > kAbbreviationLimit) {
        format(console, messages::kBadSourceLine, lineNumber, line);
        return;
    }
    entry->used = 1;
    entry->source = source;
    (isLabel ? entry->abbreviation : entry->fullName) = std::string(text);
}

void printSource(const SourceEntry& entry, Sink& console) {
    if (entry.used == 1) format(console, "%d/%s/%s\n", entry.source, entry.abbreviation, entry.fullName);
}
