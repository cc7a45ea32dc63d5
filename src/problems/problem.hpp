#pragma once
// The problem record: one problem line of the source with its placements.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/findings.hpp"
#include "text/format.hpp"
#include "text/line_input.hpp"

struct Placement {
    std::int32_t source = 0;
    std::int32_t number = 0;
    std::int32_t subnumber = -1;  // -1: the placement has none
    std::int32_t present = 0;
};

inline constexpr std::size_t kPlacementSlots = 11;

// A placement as the log, the file form and the trace show it: "3/7" or
// "3/7.1". Spelled for every placement of the book, so it is put together
// on the stack rather than by a format; room enough for any three numbers.
struct PlacementText {
    std::array<char, 40> chars;
    std::size_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};
PlacementText placementText(const Placement& p);

struct ProblemRecord {
    std::int32_t defined = 0;
    std::int32_t nsFlag = 0;  // the problem has no solution page
    // Kept when the line is accepted, next to `defined`, which is read with it.
    // agreedNumber in source 0, the book: every sort of references and every
    // writer asks for it.
    std::int32_t bookNumber = 0;
    long line = 0;  // of the source that gave the record; 0: it holds no line
    std::array<Placement, kPlacementSlots> placements{};
    // Kept when the line is accepted: the file form of the record, which the
    // merge trace writes for every reference after every merge.
    Bytes fileForm;
};

// The number of the record's placements in `source` when they agree; 0 when it
// has none there or several that disagree.
std::int32_t agreedNumber(const ProblemRecord& record, std::int32_t source);

// A problem reference: a record of the table, which never moves.
using ProblemRef = const ProblemRecord*;

// A present placement with its record, as the table's index holds it. The
// subnumber is kept here too, so that a lookup decides without reading the
// record, which lies far away in a large table.
struct IndexedPlacement {
    std::int32_t source = 0;
    std::int32_t number = 0;
    std::int32_t subnumber = -1;
    std::uint32_t record = 0;  // its place in the table
};

// Where the placements of one source stand in the index. When its numbers are
// dense enough, those of number n begin at entry byNumber[n - lowest] and end
// where those of n + 1 begin, so that a lookup goes straight to them.
struct SourceIndex {
    std::int32_t source = 0;
    std::uint32_t first = 0;  // entries of the placement index
    std::uint32_t last = 0;
    std::int32_t lowest = 0;
    std::vector<std::uint32_t> byNumber;  // empty: the source's entries are searched
};

// The records are created once after pass 1 and never resized, so references
// into them stay valid. Once they are filled, `indexPlacements` sorts every
// placement by source and number, so that a lookup need not scan the table.
struct ProblemTable {
    std::vector<ProblemRecord> records;
    std::vector<IndexedPlacement> placementIndex;
    std::vector<SourceIndex> sourceIndex;  // by source

    auto begin() { return records.begin(); }
    auto end() { return records.end(); }
    auto begin() const { return records.begin(); }
    auto end() const { return records.end(); }
    std::size_t size() const { return records.size(); }
    ProblemRecord& operator[](std::size_t i) { return records[i]; }
    const ProblemRecord& operator[](std::size_t i) const { return records[i]; }
};

// The order of the placement index: by source, then number.
inline bool placedBefore(const IndexedPlacement& a, const IndexedPlacement& b) {
    return a.source != b.source ? a.source < b.source : a.number < b.number;
}

// Builds the placement index; called once the records are final.
void indexPlacements(ProblemTable& table);

void clearProblem(ProblemRecord& record);

// Fills the slot from the placement token at the start of `text` (which runs to
// the end of the line) and traces it to log1; 0 when accepted, -1 when not.
int parsePlacement(Placement& slot, std::string_view text, Sink& log1);

// Fills the record from one cleaned problem line; 0 when accepted, -1 when not
// (the record is then empty again, and `fault`, when given, says which token
// failed). `handle` identifies the record in the logs.
int parseProblemLine(ProblemRecord& record, std::string_view line, std::int64_t handle, Sink& log1,
                     LineFault* fault = nullptr);

// The handle of a record in the logs and diagnostics: its 1-based place in the table.
std::int64_t handleOf(const ProblemTable& table, const ProblemRecord* record);

// The number of the record's present placements.
std::int32_t presentCount(const ProblemRecord& record);

// File form for the merge trace: "<2: 0/5 3/7.1>" or "<null>".
void writeProblem(const ProblemRecord& record, Sink& file);

// Why a line of a pass found no record: none was free, or the line was rejected.
enum class Refusal { None, NoFreeRecord, Rejected };

// Pass 2: the first empty record takes the line, and its number; a refusal is
// also a finding. `firstFree` is where that search starts: no record before
// it is empty.
struct StoredProblem {
    ProblemRecord* record = nullptr;
    Refusal refusal = Refusal::None;
};
StoredProblem storeProblemLine(ProblemTable& table, std::size_t& firstFree, const SourceLine& line, Sink& log1,
                               Findings* findings = nullptr);
