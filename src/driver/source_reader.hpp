#pragma once
// One pass over the source: the length limit, comments, space folding, the
// section markers and the copy file. Content lines go to the pass's handler.

#include <cstdint>
#include <functional>
#include <string_view>

#include "text/flow.hpp"
#include "text/format.hpp"

enum class SectionMode { None, Problems, Elements };

struct ContentLine {
    std::string_view text;  // cleaned: no comment, spaces folded, never empty
    long lineNumber = 0;
    SectionMode mode = SectionMode::None;
    std::int32_t source = 0;  // the element section's source; -1 for "#/-"
};

struct PassSinks {
    Bytes& copy;
    Bytes& console;
};

// One pass over the source's text (code page 1251) from its start. Stops
// (after printing the message) on a too long line, a content line before any
// marker, or a marker whose source number does not fit. `lineCount` ends as
// the number of lines read.
Flow readSource(std::string_view source, PassSinks sinks, const std::function<void(const ContentLine&)>& handle,
                long& lineCount);
