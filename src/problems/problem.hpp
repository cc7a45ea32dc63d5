#pragma once
// The problem record: one problem line of the source with its placements.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/format.hpp"

struct Placement {
    std::int32_t source = 0;
    std::int32_t number = 0;
    std::int32_t subnumber = -1;  // -1: the placement has none
    std::int32_t present = 0;
};

inline constexpr std::size_t kPlacementSlots = 11;

struct ProblemRecord {
    std::int32_t defined = 0;
    std::int32_t nsFlag = 0;  // the problem has no solution page
    std::array<Placement, kPlacementSlots> placements{};
};

// Created once after pass 1 and never resized, so references into it stay valid.
using ProblemTable = std::vector<ProblemRecord>;

void clearProblem(ProblemRecord& record);

// Fills the slot from the placement token at the start of `text` (which runs to
// the end of the line) and traces it to log1; 0 when accepted, -1 when not.
int parsePlacement(Placement& slot, std::string_view text, Bytes& log1);

// Fills the record from one cleaned problem line; 0 when accepted, -1 when not
// (the record is then empty again). `handle` identifies the record in the logs.
int parseProblemLine(ProblemRecord& record, std::string_view line, std::int64_t handle, Bytes& log1);

// The handle of a record in the logs and diagnostics: its 1-based place in the table.
std::int64_t handleOf(const ProblemTable& table, const ProblemRecord* record);

// Console form: "2: [0/5] [3/7.1]\n"; nothing for an empty record.
void printProblem(const ProblemRecord& record, Bytes& console);

// File form for the merge trace: "<2: 0/5 3/7.1>" or "<null>".
void writeProblem(const ProblemRecord& record, Bytes& file);

// Pass 2: the first empty record takes the line; failures are reported on the console.
void storeProblemLine(ProblemTable& table, std::string_view line, long lineNumber, Bytes& log1, Bytes& console);
