#pragma once
// What a check of the source and the template finds, each on its line: the
// faults that make a run reject a line or stop (errors), and what a run takes
// but drops or alters without a word (warnings).

#include <string_view>
#include <vector>

#include "text/format.hpp"

enum class Severity { Error, Warning };
enum class InFile { Source, Template };

struct Finding {
    InFile file = InFile::Source;
    long line = 0;
    Severity severity = Severity::Error;
    Bytes reason;  // code page 1251
};

using Findings = std::vector<Finding>;

// Adds a finding to `findings`; nothing when there are none to collect.
void addFinding(Findings* findings, long line, Severity severity, Bytes reason, InFile file = InFile::Source);

// Every finding in the order of the files and their lines, as compilers
// print them ("book.src:12: ошибка: ..."), then the summary line
// "book.src: ошибок 1, предупреждений 0".
void writeFindings(Findings findings, std::string_view sourceName, std::string_view templateName, Sink& out);

// How many findings have this severity.
long countFindings(const Findings& findings, Severity severity);
