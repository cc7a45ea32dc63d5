#pragma once
// The index element: one heading of the subject index and the problems it points at.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "problems/problem.hpp"
#include "text/findings.hpp"
#include "text/format.hpp"
#include "text/line_input.hpp"

struct IndexElement {
    std::int32_t id = 0;      // target "elementID-<id>"; kept through sorts and merges
    std::int32_t actual = 0;  // 1: live; 0: free or merged away
    std::string name;
    std::string note;
    // References in the order of the line (later by book number), and the
    // starred ones among them in the same order. Nzz, the count a message
    // about a line's references gives, is the length of `zz`.
    std::vector<ProblemRef> zz;
    std::vector<ProblemRef> zz_;
    std::int32_t noNumber = 0;  // 1: read in a section without numbers
    long line = 0;  // of the source that gave the element; kept through sorts, and a merge keeps the first
};

// A live element holds a line read; a free one never held one or was merged away.
inline bool isLive(const IndexElement& element) {
    return element.actual == 1;
}

// Created once before pass 3 and never resized.
using ElementTable = std::vector<IndexElement>;

// The element table with `count` empty elements; ids are drawn from `idCounter`
// (raised before each use, so the first id after a counter of 1 is 2).
ElementTable makeElementTable(std::size_t count, std::int32_t& idCounter);

// Frees the element; `id`, `note` and `noNumber` stay.
void clear(IndexElement& element);

// True when the element is live and the very problem record is among its references.
bool refersTo(const IndexElement& element, ProblemRef problem);

// True when the problem is among the element's starred references.
bool isStarred(const IndexElement& element, ProblemRef problem);

// The element's starred problems as a sorted set, for the walks that ask about
// every reference of an element that may hold very many.
struct StarredSet {
    std::vector<ProblemRef> problems;
    bool contains(ProblemRef problem) const;
};
StarredSet starredSet(const IndexElement& element);

// The dash separator between a name and its references: the first "--" from
// `from` on that is not followed by a third hyphen; npos when there is none.
std::size_t findDashSeparator(std::string_view line, std::size_t from);

// What the parser met in a line, step by step, for the run's trace: a point
// read in a reference, a reference that names no one problem, a reference
// stored, and the references of a line that found no memory (`number` is then
// their count).
enum class TraceStep : std::uint8_t { Point, Unresolved, Stored, NoRoomForReferences, NoRoomForStarred };
struct TraceEntry {
    TraceStep step = TraceStep::Point;
    std::int32_t number = 0;  // the reference's number in its source
};
using ElementTrace = std::vector<TraceEntry>;

// What the element parser needs besides the line: the problem table to resolve
// references in, the run-wide counter of references read, and where to report.
struct ElementParse {
    const ProblemTable& problems;
    std::int32_t& positionsRead;
    Sink& log2;
    ElementTrace* trace = nullptr;  // appended to as the line is read, when someone follows it
    Findings* findings = nullptr;   // where a rejected line is told with its reason
};

// Parses one cleaned element line of the section of `source` (-1: a section
// without numbers); 0 when accepted (the element is live), -1 when not (it is
// cleared, and `fault`, when given, names the fault and its place in the line).
int parseElementLine(IndexElement& element, std::string_view line, std::int32_t source, ElementParse context,
                     LineFault* fault = nullptr);

// Pass 3: the first free element takes the line, and its number; a refusal is
// also a finding. `firstFree` is where that search starts: no element before
// it is free.
struct StoredElement {
    IndexElement* element = nullptr;
    Refusal refusal = Refusal::None;
};
StoredElement storeElementLine(ElementTable& table, std::size_t& firstFree, const SourceLine& line,
                               std::int32_t source, ElementParse context);
