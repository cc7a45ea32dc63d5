#pragma once
// One pass over the source: the length limit, comments, space folding, the
// section markers and the copy file. Content lines go to the pass's handler.

#include <cstdint>
#include <functional>
#include <istream>
#include <string_view>

#include "text/flow.hpp"
#include "text/format.hpp"
#include "text/line_input.hpp"

enum class SectionMode { None, Problems, Elements };

struct ContentLine {
    std::string_view text;  // cleaned: no comment, spaces folded, never empty
    long lineNumber = 0;
    SectionMode mode = SectionMode::None;
    std::int32_t source = 0;  // the element section's source; -1 for "#/-"
};

// The source as one pass reads it from its start.
struct SourceFile {
    std::istream& in;
    std::string_view name;  // as the messages name it
    Encoding encoding = Encoding::Cp1251;
};

struct PassSinks {
    Bytes& copy;
    Bytes& console;
};

// Reads the source from its current position to its end (in UTF-8, past a
// byte-order mark). Stops (after printing the message) on a too long line, a
// line that is no text in its encoding, a content line before any marker, or a
// marker whose source number does not fit. `lineCount` ends as the number of lines read.
Flow readSource(SourceFile source, PassSinks sinks, const std::function<void(const ContentLine&)>& handle,
                long& lineCount);
