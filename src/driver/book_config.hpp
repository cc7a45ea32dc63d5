#pragma once
// olyindex.toml: what a book of the series says about itself, read from the
// book's directory when it is there. Today it holds the shape of the table by
// olympiads ([table]); without the file, the first book's table stands.

#include <filesystem>
#include <string_view>

#include "elements/table_shape.hpp"
#include "text/findings.hpp"

inline constexpr std::string_view kConfigName = "olyindex.toml";

// The bounds of the counts the file may give.
inline constexpr std::int32_t kMaxOlympiads = 999;
inline constexpr std::int32_t kMaxSlots = 99;

struct BookConfig {
    TableShape table;
};

// The settings in the text of olyindex.toml (UTF-8, as TOML is). Every fault
// is an error in `findings`, at its line and columns (InFile::Config); the
// table is then the default one, whole, never half of each.
BookConfig loadBookConfig(std::string_view tomlText, Findings* findings);

enum class ConfigRead { Absent, Read, ReadError };

// olyindex.toml in `bookDir`, read and loaded into `config`; Absent leaves
// the defaults, ReadError means the file is there but could not be read.
ConfigRead readBookConfig(const std::filesystem::path& bookDir, BookConfig& config, Findings* findings);
