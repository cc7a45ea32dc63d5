#pragma once
// The run's console: every text it shows, behind operations named for what
// happened. Only the driver calls them; the parsers and writers below it hand
// back what they met (a trace, a refusal, a duplicate) and print nothing.
//
// A stop at start-up is told as it always has in a plain run, on a line of
// its own after an empty one ("\nОШИБКА: файл book.src [1] недоступен\n"); a
// check and a quiet run tell it as compilers do, on one line that names the
// file (and the line and the column where one is known) or the program, so
// that an editor takes it as it takes the findings ("book.src: ошибка:
// исходный файл недоступен").

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>
#include <vector>

#include "driver/options.hpp"
#include "elements/element.hpp"
#include "elements/sources.hpp"
#include "problems/lookups.hpp"
#include "problems/problem.hpp"
#include "text/encoding.hpp"
#include "text/findings.hpp"
#include "text/format.hpp"
#include "text/utf8.hpp"

// The command line.

void usageAsked(Sink& console);
void versionAsked(Sink& console);
// A refused command line; `shownOption` is the option as the console shows
// it. `compact`: one line "olyindex: ошибка: ...", as a check and a quiet run
// print what stops them.
void optionRefused(Sink& console, OptionFault fault, std::string_view shownOption, bool compact);

// Start-up.

struct StopReport {
    Sink& console;
    bool compact = false;  // a check or a quiet run
};

// A file of the run (a log, a fragment, the language index) cannot be created.
void outputUnavailable(StopReport report, std::string_view name);
// The number of arguments, of a run and of a check.
void wrongArgumentCount(StopReport report, std::size_t count);
void wrongCheckArgumentCount(StopReport report, std::size_t count);
// The names below are the command line's, as the console shows them.
void sourceUnavailable(StopReport report, std::string_view source);
void readFailed(StopReport report, std::string_view name);
void sourceIsWritten(StopReport report, std::string_view source, std::string_view written);
void copyIsSource(StopReport report, std::string_view copy);
void copyIsUsed(StopReport report, std::string_view copy, std::string_view used);
void copyUnavailable(StopReport report, std::string_view copy);
void utf8WithoutOption(StopReport report, std::string_view name);
// A line that is no text in code page 1251: its number, and the place of the
// character at fault among the line's characters, from 1.
void encodingFault(StopReport report, std::string_view name, long line, long column, const FromUtf8& fault);
// "-C DIR" names no directory.
void directoryUnavailable(StopReport report, std::string_view directory);

// A check finds no template in the book's directory but one beside the
// source, in `sourceDirectory`: a note, which stops nothing.
void templateBesideSource(Sink& console, std::string_view source, std::string_view sourceDirectory);

// Two outputs, or an output and the template, are one file.
void outputsClash(Sink& console, std::string_view output, std::string_view other);
void templateNotAFile(Sink& console);
void configUnreadable(Sink& console);
// olyindex.toml's faults stop a run; they come in the order of their lines.
void configFaulty(Sink& console, std::span<const Finding> faults);
void languageIndexUnavailable(Sink& console);
void anotherRunHere(Sink& console);
void programStarts(Sink& console);

// The passes.

// Lines over the length limit: in the source, in the template.
void sourceLineTooLong(Sink& console, long line);
// A line the passes cannot take: text before any section marker, a broken
// marker, a source label over its limit.
void badSourceLine(Sink& console, long line, std::string_view text);
void linesCounted(Sink& console, long lines, std::int32_t problems, std::int32_t elements);
void lineRefused(Sink& console, Refusal refusal, long line);
void sourceRefused(Sink& console, SourceRefusal refusal, long line, std::string_view text);
// What the element parser met in a line of the section of `source`, in order.
void elementLineTraced(Sink& console, std::span<const TraceEntry> trace, std::int32_t source);
// An element of a section without numbers: its name and its whole line.
void unnumberedElementRead(Sink& console, std::string_view name, std::string_view line);
// Pass 3 is over: the references read, then every problem record.
void elementsRead(Sink& console, long positions, const ProblemTable& problems);

// Ordering and writing.

void stageEnds(Sink& console);
void orderingStarts(Sink& console);
// "name -- 3, 12*, *; note" for every live element: a star after a starred
// number, a lone star for a problem without a book number.
void elementsDumped(Sink& console, const ElementTable& table);
// The same as LaTeX paragraphs, each element's target ahead of its name and
// the numbers linked to the statements. The run shows it twice; it is
// worked out each time, since a large book's dump is too large to keep.
void elementsDumpedAsLatex(Sink& console, const ElementTable& table);
void templateLineTooLong(Sink& console, long line);
void languageListStarts(Sink& console);
void maxBookNumberFound(Sink& console, std::int32_t maximum);
// The listing by book number: a heading per number, then the duplicates the
// lookups met for it, then the names of the elements that refer to it.
void bookNumberListed(Sink& console, std::int32_t number);
void duplicateFound(Sink& console, const ProblemTable& problems, const DuplicateLookup& duplicate);
void referringElementListed(Sink& console, std::string_view name);
// "%d/%s/%s\n" for every used entry.
void sourcesListed(Sink& console, const SourceTable& sources);

// The end.

// A check's and a quiet run's findings in the order of the files and their
// lines, as compilers print them ("book.src:12:7: ошибка: ...", at the first
// column), then the summary line "book.src: ошибок 1, предупреждений 0".
void findingsListed(Sink& console, Findings findings, std::string_view sourceName);
void writeFailed(Sink& console, std::string_view name);
void runInterrupted(Sink& console);
// Memory ran out: written straight to the terminal, so that it needs none.
void outOfMemory(std::ostream& terminal, Encoding encoding);
