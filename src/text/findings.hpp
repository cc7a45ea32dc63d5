#pragma once
// What a check of the source, the template and the book's settings finds,
// each at its place: the faults that make a run reject a line or stop
// (errors), and what a run takes but drops or alters without a word
// (warnings). The code that finds a fault returns it as a value; only the
// driver prints it, and the language server shows the same values.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/format.hpp"

enum class Severity { Error, Warning };
enum class InFile { Source, Template, Config };

// Where a finding stands: a line of a file and the columns of what it is
// about, counted in characters of the line as it stands in the file, before
// comments are cut and spaces folded (1-based, both inclusive).
struct Location {
    InFile file = InFile::Source;
    long line = 0;
    std::int32_t firstColumn = 1;
    std::int32_t lastColumn = 1;
};

// An edit that would mend a finding, offered by the language server as a
// quick fix: the columns of its line to replace, and the new text.
struct Fix {
    std::int32_t firstColumn = 1;
    std::int32_t lastColumn = 0;  // lastColumn < firstColumn: insert before firstColumn
    Bytes text;                   // code page 1251
    Bytes title;                  // what the editor offers, code page 1251
};

struct Finding {
    InFile file = InFile::Source;
    long line = 0;
    std::int32_t firstColumn = 1;
    std::int32_t lastColumn = 1;
    Severity severity = Severity::Error;
    std::string_view code;  // stable, kebab-case, listed in the guide: "unresolved-reference"
    Bytes message;          // code page 1251
    std::vector<Fix> fixes;  // none for most findings
};

using Findings = std::vector<Finding>;

// A fault a parser finds in a line: what it is about as offsets [first, end)
// in the line's cleaned text (first == end: the whole line), its code and its
// message. Whoever holds the line as it stands in the file turns the offsets
// into columns.
struct LineFault {
    std::size_t first = 0;
    std::size_t end = 0;
    std::string_view code;
    Bytes message;
};

// Adds a finding to `findings`; nothing when there are none to collect.
// `code` must outlive the findings: the codes are literals.
void addFinding(Findings* findings, Location at, Severity severity, std::string_view code, Bytes message);

// How many findings have this severity.
long countFindings(const Findings& findings, Severity severity);
