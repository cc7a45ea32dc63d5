#pragma once
// Reading the source: the length limit, comments, space folding, the section
// markers and the copy file. The first pass reads and cleans every line once;
// each pass then walks the lines kept, and its handler gets the content lines.

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/findings.hpp"
#include "text/flow.hpp"
#include "text/format.hpp"
#include "text/line_input.hpp"

enum class SectionMode { None, Problems, Elements };

struct ContentLine {
    std::string_view text;  // cleaned: no comment, spaces folded, never empty
    std::string_view raw;   // the line as it stands in the source, its line end included
    long lineNumber = 0;
    SectionMode mode = SectionMode::None;
    std::int32_t source = 0;  // the element section's source; -1 for "#/-"

    SourceLine sourceLine() const { return {text, raw, lineNumber}; }
};

// What a fault that stops a run does: it stops the run, or (in a check) the
// line is passed over and reading goes on.
enum class Faults { Stop, PassOver };

// What a pass does with a line that is not empty once cleaned: a too long
// line and a faulty one (a broken marker, text before any marker) are told;
// every line but a too long one goes to the copy.
enum class LineKind : std::uint8_t { TooLong, Faulty, Marker, Content };

struct ReadLine {
    LineKind kind = LineKind::Content;
    ContentLine line;  // a too long line has no text
};

// The source's lines as the first pass read them. A cleaned text lies in the
// source, or, when its spaces were folded, in `cleaned`, reserved whole at the
// start so that the texts never move: a vector, since moving a short string
// would move its bytes.
struct SourceLines {
    std::vector<char> cleaned;
    std::vector<ReadLine> lines;  // in file order; the empty ones are left out
    long lineCount = 0;           // the lines read, empty ones included
};

// Reads the source's text (code page 1251) once and gives the reader's
// findings: a too long line, a content line before any marker, a marker whose
// source number does not fit, a comment that cuts a web address, a carriage
// return or zero byte that cuts a line. Reading ends at the first fault when
// faults stop a run.
SourceLines readSourceLines(std::string_view source, Findings* findings, Faults faults);

struct PassSinks {
    Sink& copy;
    Sink& console;
    Faults faults = Faults::Stop;
};

// A line that is no content: a marker goes to the copy, a faulty line too,
// with its message, a too long one has its message only; Stop when the fault
// stops the pass.
Flow passOtherLine(const ReadLine& line, PassSinks sinks);

// One pass over the lines read: each goes to the copy, each fault is told
// (and stops the pass in a run), and `handle` gets each content line.
template <class Handle>
Flow walkSource(const SourceLines& source, PassSinks sinks, Handle&& handle) {
    for (const ReadLine& line : source.lines) {
        if (line.kind != LineKind::Content) {
            if (passOtherLine(line, sinks) == Flow::Stop) return Flow::Stop;
            continue;
        }
        sinks.copy += line.line.text;  // no zero byte: the line ends before the first
        sinks.copy += '\n';
        handle(line.line);
    }
    return Flow::Go;
}
