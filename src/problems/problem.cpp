#include "problems/problem.hpp"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

#include "text/cp1251.hpp"
#include "text/numbers.hpp"
#include "text/first_free.hpp"

namespace {

// A group of 1 to 4 digits at the start of `text`, as each part of a
// placement is: read in the one scan that also finds where it ends.
struct DigitGroup {
    std::int32_t value = 0;
    std::size_t length = 0;
};

std::optional<DigitGroup> digitGroup(std::string_view text) {
    if (text.empty() || !isDigit(text.front())) return std::nullopt;  // from_chars would take a sign
    DigitGroup group;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), group.value);
    group.length = static_cast<std::size_t>(end - text.data());
    if (error != std::errc() || group.length > 4) return std::nullopt;
    return group;
}

LineFault placementFault(std::string_view line, std::size_t start, bool twelfth) {
    std::string_view token = line.substr(start, line.find(' ', start) - start);
    LineFault fault{start, start + token.size(), twelfth ? "too-many-placements" : "malformed-placement", {}};
    if (twelfth) format(fault.message, cp1251("двенадцатое размещение «%s»: их не больше 11"), token);
    else format(fault.message, cp1251("неверное размещение «%s»: нужно ИСТОЧНИК/НОМЕР[.ПОДНОМЕР], до 4 цифр в каждой части"), token);
    return fault;
}

// The file form of a defined record: "<2: 0/5 3/7.1>".
constexpr std::string_view kUndefinedFileForm = "<null>";

// `shown`: the record's placements in the order of its slots, as the log
// showed them.
void writeFileForm(std::span<const PlacementText> shown, Bytes& out) {
    // Room for the usual placements, so that the form grows at most once.
    out.reserve(8 + 12 * shown.size());
    out += '<';
    char digits[20];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, shown.size()).ptr);
    out += ':';
    for (const PlacementText& placement : shown) {
        out += ' ';
        out += placement.view();
    }
    out += '>';
}

constexpr auto kLineRead = cp1251("\n\nПРОЧИТАНА СТРОКА: ");

// Fills the slot from the placement token at the start of `text` and traces
// it to log1; its text as shown, none when the token is malformed (the slot
// is then as it was).
std::optional<PlacementText> readPlacement(Placement& slot, std::string_view text, Sink& log1) {
    // Not through a format, which every call would copy: once for each
    // placement. A cleaned line holds no zero byte, where a "%s" would stop.
    log1 += kLineRead.view();
    log1 += text;
    std::string_view token = text.substr(0, text.find(' '));

    std::optional<DigitGroup> source = digitGroup(token);
    if (!source || source->length >= token.size() || token[source->length] != '/') return std::nullopt;
    std::string_view rest = token.substr(source->length + 1);
    std::optional<DigitGroup> number = digitGroup(rest);
    if (!number) return std::nullopt;
    rest.remove_prefix(number->length);
    std::int32_t subnumber = -1;  // "3/7." has none
    if (!rest.empty()) {
        if (rest.front() != '.') return std::nullopt;
        rest.remove_prefix(1);
        std::optional<DigitGroup> sub = digitGroup(rest);
        if (!rest.empty() && (!sub || sub->length != rest.size())) return std::nullopt;
        if (sub) subnumber = sub->value;
    }

    slot.source = source->value;
    slot.number = number->value;
    slot.subnumber = subnumber;
    slot.present = 1;
    PlacementText shown = placementText(slot);
    log1 += '\n';
    log1 += shown.view();
    return shown;
}

}  // namespace

PlacementText placementText(const Placement& p) {
    PlacementText shown;
    char* const end = shown.chars.data() + shown.chars.size();
    char* at = std::to_chars(shown.chars.data(), end, p.source).ptr;
    *at++ = '/';
    at = std::to_chars(at, end, p.number).ptr;
    if (p.subnumber != -1) {
        *at++ = '.';
        at = std::to_chars(at, end, p.subnumber).ptr;
    }
    shown.size = static_cast<std::size_t>(at - shown.chars.data());
    return shown;
}

std::int32_t presentCount(const ProblemRecord& record) {
    return static_cast<std::int32_t>(std::count_if(record.placements.begin(), record.placements.end(),
                                                   [](const Placement& p) { return p.present == 1; }));
}

void clearProblem(ProblemRecord& record) {
    record = ProblemRecord{};
}

int parsePlacement(Placement& slot, std::string_view text, Sink& log1) {
    return readPlacement(slot, text, log1) ? 0 : -1;
}

int parseProblemLine(ProblemRecord& record, std::string_view line, std::int64_t handle, Sink& log1, LineFault* fault) {
    clearProblem(record);
    std::array<PlacementText, kPlacementSlots> shown;
    std::size_t placed = 0;
    // Token by token: each ends at a space or at the line's end.
    for (std::size_t start = 0, end = 0; start < line.size(); start = end + 1) {
        end = std::min(line.find(' ', start), line.size());
        if (end == start) continue;  // a second space
        if (line.substr(start, end - start) == "NS") {
            record.nsFlag = 1;
            continue;
        }
        bool twelfth = placed == kPlacementSlots;
        std::optional<PlacementText> placement =
            twelfth ? std::nullopt : readPlacement(record.placements[placed], line.substr(start), log1);
        if (!placement) {
            if (fault != nullptr) *fault = placementFault(line, start, twelfth);
            clearProblem(record);
            return -1;
        }
        shown[placed++] = *placement;
    }
    record.defined = 1;
    record.bookNumber = agreedNumber(record, 0);
    writeFileForm(std::span(shown.data(), placed), record.fileForm);
    log1 += '\n';
    appendHexadecimal(log1, handle);
    return 0;
}

std::int32_t agreedNumber(const ProblemRecord& record, std::int32_t source) {
    std::int32_t result = 0;
    bool found = false;
    for (const Placement& p : record.placements) {
        if (p.present != 1 || p.source != source) continue;
        if (!found) {
            result = p.number;
            found = true;
        } else if (p.number != result) {
            return 0;
        }
    }
    return result;
}

std::int64_t handleOf(const ProblemTable& table, const ProblemRecord* record) {
    return (record - table.records.data()) + 1;
}

namespace {

// Works out the sources' places in the sorted placement index. A number table
// costs at most four entries for each placement of its source.
void indexSources(ProblemTable& table) {
    const std::vector<IndexedPlacement>& index = table.placementIndex;
    table.sourceIndex.clear();
    for (std::size_t first = 0; first < index.size();) {
        std::size_t last = first;
        while (last < index.size() && index[last].source == index[first].source) ++last;
        SourceIndex source;
        source.source = index[first].source;
        source.first = static_cast<std::uint32_t>(first);
        source.last = static_cast<std::uint32_t>(last);
        source.lowest = index[first].number;
        std::int64_t span = std::int64_t{index[last - 1].number} - source.lowest + 1;
        if (span <= 4 * static_cast<std::int64_t>(last - first)) {
            source.byNumber.resize(static_cast<std::size_t>(span) + 1);
            std::size_t entry = first;
            for (std::int64_t offset = 0; offset <= span; ++offset) {
                while (entry < last && std::int64_t{index[entry].number} - source.lowest < offset) ++entry;
                source.byNumber[static_cast<std::size_t>(offset)] = static_cast<std::uint32_t>(entry);
            }
        }
        table.sourceIndex.push_back(std::move(source));
        first = last;
    }
}

// A stable counting sort of the index by one part of its placements, which
// were read from at most four digits: never negative, and few values. Two
// such passes order the index in time linear in its size; a comparison sort
// took several times as long.
template <class Part>
void sortByPart(std::vector<IndexedPlacement>& index, Part part) {
    std::int32_t highest = 0;
    for (const IndexedPlacement& p : index) highest = std::max(highest, part(p));
    // next[v]: where the next entry whose part is v goes.
    std::vector<std::uint32_t> next(static_cast<std::size_t>(highest) + 2, 0);
    for (const IndexedPlacement& p : index) ++next[static_cast<std::size_t>(part(p)) + 1];
    std::partial_sum(next.begin(), next.end(), next.begin());
    std::vector<IndexedPlacement> sorted(index.size());
    for (const IndexedPlacement& p : index) sorted[next[static_cast<std::size_t>(part(p))]++] = p;
    index.swap(sorted);
}

}  // namespace

void indexPlacements(ProblemTable& table) {
    table.placementIndex.clear();
    std::size_t present = 0;
    for (const ProblemRecord& record : table.records) present += static_cast<std::size_t>(presentCount(record));
    table.placementIndex.reserve(present);
    for (std::size_t r = 0; r < table.records.size(); ++r)
        for (const Placement& p : table.records[r].placements)
            if (p.present == 1)
                table.placementIndex.push_back({p.source, p.number, p.subnumber, static_cast<std::uint32_t>(r)});
    // By source, then number; within one source and number the records keep
    // table order.
    sortByPart(table.placementIndex, [](const IndexedPlacement& p) { return p.number; });
    sortByPart(table.placementIndex, [](const IndexedPlacement& p) { return p.source; });
    indexSources(table);
}

void writeProblem(const ProblemRecord& record, Sink& file) {
    file += record.defined == 1 ? std::string_view(record.fileForm) : kUndefinedFileForm;
}

StoredProblem storeProblemLine(ProblemTable& table, std::size_t& firstFree, const SourceLine& line, Sink& log1,
                               Findings* findings) {
    ProblemRecord* free = firstFreeRecord(table.records, firstFree, [](const ProblemRecord& r) { return r.defined == 0; });
    if (free == nullptr) {
        addFinding(findings, line, Severity::Error,
                   {0, 0, "no-free-record", Bytes(cp1251("нет свободной записи для строки задачи"))});
        return {nullptr, Refusal::NoFreeRecord};
    }
    LineFault fault;
    if (parseProblemLine(*free, line.text, handleOf(table, free), log1, &fault) == 0) {
        free->line = line.number;
        return {free, Refusal::None};
    }
    addFinding(findings, line, Severity::Error, std::move(fault));
    return {nullptr, Refusal::Rejected};
}
