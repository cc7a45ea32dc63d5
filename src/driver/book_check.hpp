#pragma once
// A check of a book held in memory, for whatever shows its findings: the
// command line's --check, the language server, the quality checks. It runs
// the very passes and checks of a run on the texts it is given and writes
// nothing anywhere: no file, no console.
//
//     BookCheck checked = checkBook(sourceText, templateText);
//     for (const Finding& f : checked.findings) ...   // f.line, f.firstColumn, f.code, f.message
//     for (const IndexElement& e : checked.tables.elements) ...   // e.line: where it was read
//
// The texts are code page 1251 (a UTF-8 book is decoded before). A fault that
// stops a run (a too long line, text before any marker) is a finding of its
// line, and the check goes on as if the line were not there. Running out of
// memory throws std::bad_alloc, as everywhere in the run.

#include <optional>
#include <string>

#include "elements/table_shape.hpp"
#include "elements/tables.hpp"
#include "text/findings.hpp"

// What the check may be told besides the texts: the settings of the book
// (olyindex.toml, read with loadBookConfig or readBookConfig).
struct CheckOptions {
    TableShape shape;  // the places outside it are warned of
};

struct BookCheck {
    // As the passes left them, in file order: every accepted problem line and
    // element line with the line it came from (`ProblemRecord::line`,
    // `IndexElement::line`); elements are neither sorted nor merged.
    Tables tables;
    Findings findings;  // in the order found; the console lists them by file and line
    bool complete = false;  // false: the passes stopped (no memory for the tables)
};

BookCheck checkBook(std::string sourceText, std::optional<std::string> templateText, CheckOptions options = {});
