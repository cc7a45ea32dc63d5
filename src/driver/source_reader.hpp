#pragma once
// One pass over the source: the length limit, comments, space folding, the
// section markers and the copy file. Content lines go to the pass's handler.

#include <cstdint>
#include <functional>
#include <string_view>

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

struct PassSinks {
    Sink& copy;
    Sink& console;
    Findings* findings = nullptr;  // the reader's own findings, when collected
    Faults faults = Faults::Stop;
};

// One pass over the source's text (code page 1251) from its start. Stops
// (after printing the message) on a too long line, a content line before any
// marker, or a marker whose source number does not fit; warns of a comment
// that cuts a web address. `lineCount` ends as the number of lines read.
Flow readSource(std::string_view source, PassSinks sinks, const std::function<void(const ContentLine&)>& handle,
                long& lineCount);
