#include "problems/problem.hpp"

#include <algorithm>
#include <charconv>
#include <utility>

#include "text/cp1251.hpp"
#include "text/numbers.hpp"
#include "text/first_free.hpp"

namespace {

// A group of 1 to 4 digits starting at `pos`; its length, or 0 when it is not one.
std::size_t digitGroup(std::string_view token, std::size_t pos) {
    std::size_t end = pos;
    while (end < token.size() && isDigit(token[end])) ++end;
    std::size_t length = end - pos;
    return length <= 4 ? length : 0;
}

// The group was checked to hold only digits, at most four: its value fits.
std::int32_t groupValue(std::string_view token, std::size_t pos, std::size_t length) {
    std::int32_t value = 0;
    std::from_chars(token.data() + pos, token.data() + pos + length, value);
    return value;
}

LineFault placementFault(std::string_view line, std::size_t start, bool twelfth) {
    std::string_view token = line.substr(start, line.find(' ', start) - start);
    LineFault fault{start, start + token.size(), twelfth ? "too-many-placements" : "malformed-placement", {}};
    if (twelfth) format(fault.message, cp1251("двенадцатое размещение «%s»: их не больше 11"), token);
    else format(fault.message, cp1251("неверное размещение «%s»: нужно ИСТОЧНИК/НОМЕР[.ПОДНОМЕР], до 4 цифр в каждой части"), token);
    return fault;
}

// A placement as the log and the file form show it: "3/7" or "3/7.1". It
// is written for every placement of the book twice, so it is put together
// here rather than by a format; room enough for any three numbers.
struct PlacementText {
    std::array<char, 40> chars;
    std::size_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};

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

// The file form of a defined record: "<2: 0/5 3/7.1>".
constexpr std::string_view kUndefinedFileForm = "<null>";

void writeFileForm(const ProblemRecord& record, Bytes& out) {
    const std::int32_t count = presentCount(record);
    // Room for the usual placements, so that the form grows at most once.
    out.reserve(8 + 12 * static_cast<std::size_t>(count));
    format(out, "<%d:", count);
    for (const Placement& p : record.placements) {
        if (p.present != 1) continue;
        out += ' ';
        out += placementText(p).view();
    }
    out += '>';
}

constexpr auto kLineRead = cp1251("\n\nПРОЧИТАНА СТРОКА: ");

}  // namespace

std::int32_t presentCount(const ProblemRecord& record) {
    return static_cast<std::int32_t>(std::count_if(record.placements.begin(), record.placements.end(),
                                                   [](const Placement& p) { return p.present == 1; }));
}

void clearProblem(ProblemRecord& record) {
    record = ProblemRecord{};
}

int parsePlacement(Placement& slot, std::string_view text, Sink& log1) {
    // Not through a format, which every call would copy: once for each
    // placement. A cleaned line holds no zero byte, where a "%s" would stop.
    log1 += kLineRead.view();
    log1 += text;
    std::string_view token = text.substr(0, text.find(' '));

    std::size_t sourceLength = digitGroup(token, 0);
    if (sourceLength == 0 || sourceLength >= token.size() || token[sourceLength] != '/') return -1;
    std::size_t numberStart = sourceLength + 1;
    std::size_t numberLength = digitGroup(token, numberStart);
    if (numberLength == 0) return -1;
    std::size_t rest = numberStart + numberLength;
    std::int32_t subnumber = -1;
    if (rest < token.size()) {
        if (token[rest] != '.') return -1;
        std::size_t subStart = rest + 1;
        std::size_t subEnd = subStart;
        while (subEnd < token.size() && isDigit(token[subEnd])) ++subEnd;
        if (subEnd != token.size() || subEnd - subStart > 4) return -1;
        if (subEnd > subStart) subnumber = groupValue(token, subStart, subEnd - subStart);
    }

    slot.source = groupValue(token, 0, sourceLength);
    slot.number = groupValue(token, numberStart, numberLength);
    slot.subnumber = subnumber;
    slot.present = 1;
    log1 += '\n';
    log1 += placementText(slot).view();
    return 0;
}

int parseProblemLine(ProblemRecord& record, std::string_view line, std::int64_t handle, Sink& log1, LineFault* fault) {
    clearProblem(record);
    for (std::size_t pos = 0; pos < line.size(); ++pos) {
        bool tokenStart = line[pos] != ' ' && (pos == 0 || line[pos - 1] == ' ');
        if (!tokenStart) continue;
        std::string_view rest = line.substr(pos);
        if (rest.starts_with("NS") && (rest.size() == 2 || rest[2] == ' ')) {
            record.nsFlag = 1;
            continue;
        }
        auto free = std::find_if(record.placements.begin(), record.placements.end(),
                                 [](const Placement& p) { return p.present == 0; });
        bool twelfth = free == record.placements.end();
        if (twelfth || parsePlacement(*free, rest, log1) != 0) {
            if (fault != nullptr) *fault = placementFault(line, pos, twelfth);
            clearProblem(record);
            return -1;
        }
    }
    record.defined = 1;
    record.bookNumber = agreedNumber(record, 0);
    writeFileForm(record, record.fileForm);
    format(log1, "\n%x", handle);
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
    // Within one source and number the records keep table order.
    std::stable_sort(table.placementIndex.begin(), table.placementIndex.end(),
                     [](const IndexedPlacement& a, const IndexedPlacement& b) { return placedBefore(a, b); });
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
