#pragma once
// What stops a run or a check before it reads the source, told on the
// console. A plain run tells it as it always has, on a line of its own after
// an empty one ("\nОШИБКА: файл book.src [1] недоступен\n"); a check and a
// quiet run tell it as compilers do, on one line that names the file (and the
// line and the column where one is known) or the program, so that an editor
// takes it as it takes the findings ("book.src: ошибка: исходный файл
// недоступен").

#include <cstddef>
#include <string_view>

#include "text/format.hpp"
#include "text/utf8.hpp"

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
