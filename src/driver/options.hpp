#pragma once
// The command line: the options, and "--help" and "--version", which are
// answered before the run touches any file.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "text/format.hpp"
#include "text/encoding.hpp"

struct Options {
    std::vector<std::string> args;  // the run's own arguments, options taken out
    Encoding encoding = Encoding::Cp1251;
};

// "--utf8", anywhere and as often as it stands, asks for UTF-8 files and
// console; every other argument is the run's.
Options parseOptions(std::span<const std::string> commandLine);

// The text to print when the arguments ask for the usage or the version only;
// none for the arguments of a run.
std::optional<Bytes> infoRequested(std::span<const std::string> args);
