#pragma once
// A whole run of the tool, as a function: the command line (without the
// program's own name), the working directory the files are relative to, the
// console and how it shows text (with "--utf8" it is UTF-8 in any case).

#include <filesystem>
#include <ostream>
#include <span>
#include <string>

#include "text/encoding.hpp"

// The exit status: 0 when the run reaches its end, 1 when it stops early or a
// file could not be written.
int run(std::span<const std::string> commandLine, const std::filesystem::path& dir, std::ostream& console,
        Encoding consoleEncoding = Encoding::Cp1251);
