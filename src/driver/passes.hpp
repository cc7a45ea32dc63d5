#pragma once
// The three passes over the source and the checks of the tables they fill,
// as a run and a check share them: pass 1 counts the records, pass 2 reads
// the problem lines, pass 3 the element and source lines.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "driver/source_reader.hpp"
#include "elements/table_shape.hpp"
#include "elements/tables.hpp"
#include "text/findings.hpp"
#include "text/flow.hpp"
#include "text/sink.hpp"

// What the passes read and where they put what they print and find.
struct Passes {
    std::string_view sourceText;  // code page 1251
    Tables& tables;
    Sink& copy;
    Sink& console;
    Sink& log1;
    Sink& log2;
    Findings& findings;
    // The checks that take a search of their own run only when asked: a plain
    // run does not look for what it would not show.
    bool lookFurther = false;
    Faults faults = Faults::Stop;
    std::function<void()> spill;  // called after each portion of lines, so memory stays bounded
    std::int32_t problemCount = 0;
    std::int32_t elementCount = 0;
    std::int32_t idCounter = 1;  // the element ids are drawn from it
    TableShape shape{};          // of the table by olympiads, for the check of places
    SourceLines lines{};         // read and cleaned by the first pass, walked by all three
};

Flow countLines(Passes& passes);
Flow readProblems(Passes& passes);
Flow readElements(Passes& passes);

// What the tables as a whole show once the source is read, and the template;
// the source's text must still be there.
void checkTables(Passes& passes, std::optional<std::string_view> templateText);
