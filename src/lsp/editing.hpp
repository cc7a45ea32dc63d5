#pragma once
// Help while writing a book: names and category prefixes offered at the start
// of an element line, the renaming of an element everywhere it stands, and
// the quick fixes the check's findings carry.

#include <string>
#include <string_view>

#include "lsp/analysis.hpp"
#include "lsp/positions.hpp"
#include "lsp/protocol.hpp"

// Completion items where an element's name is written; an empty list elsewhere.
Json completion(const Analysis& analysis, Position position);

// The name under the cursor with its range, or null where there is none to rename.
Json prepareRename(const Analysis& analysis, Position position);

// Every element line with the name under the cursor gets `newName` (UTF-8)
// as one workspace edit; null when the cursor is on no name. A name that
// code page 1251 cannot hold, or that would change how the line reads,
// leaves `refusal` saying why.
Json rename(const Analysis& analysis, std::string_view uri, Position position, std::string_view newName,
            std::string& refusal);

// The quick fixes of the findings about `file` on the lines from `firstLine`
// to `lastLine` (from 0, both included).
Json codeActions(const Analysis& analysis, std::string_view uri, InFile file, std::int64_t firstLine,
                 std::int64_t lastLine);
