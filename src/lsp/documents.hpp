#pragma once
// The documents the editor has open, as it sent them: UTF-8 text kept up to
// date by whole or incremental changes, and turned into the code page 1251
// text the book's check reads.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/positions.hpp"
#include "text/findings.hpp"

struct Document {
    std::string uri;
    std::string text;  // UTF-8
    std::int64_t version = 0;
    // What the file is to the book, by its name: the template, olyindex.toml,
    // or else a source.
    InFile role = InFile::Source;
};

// Keyed by URI.
using Documents = std::map<std::string, Document>;

// One change of didChange: the whole text, or a range replaced.
struct TextChange {
    bool whole = true;
    Position start;
    Position end;
    std::string text;
};

// Applies a change; a range whose end stands before its start is taken the
// other way round.
void applyChange(Document& document, const TextChange& change);

// A character of the editor's text that code page 1251 cannot hold: the
// book's text has the unassigned byte 0x98 in its place, and the check is
// told of it as an error at that place.
struct UnheldCharacter {
    long line = 0;          // 1-based
    std::int32_t column = 0;  // 1-based, in characters
    char32_t codePoint = 0;
};

inline constexpr char kUnheldByte = '\x98';

struct BookText {
    std::string text;  // code page 1251, one byte for each character of the UTF-8 text
    std::vector<UnheldCharacter> unheld;
};

BookText toBookText(std::string_view utf8);

// The local path of a "file:" URI (percent escapes decoded); none for other schemes.
std::optional<std::filesystem::path> pathFromUri(std::string_view uri);

// The "file:" URI of a local path.
std::string uriFromPath(const std::filesystem::path& path);

// The last segment of a URI's path, decoded.
std::string uriFileName(std::string_view uri);

// The URI of the file `name` in the directory of `uri`.
std::string siblingUri(std::string_view uri, std::string_view name);
