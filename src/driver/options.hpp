#pragma once
// The command line: the options, and the usage and the version, which are
// answered before the run touches any file.

#include <span>
#include <string>
#include <vector>

#include "elements/name_order.hpp"
#include "text/encoding.hpp"
#include "text/format.hpp"

enum class Mode { Run, Check, Lsp, Help, Version, UnknownOption };

struct Options {
    Mode mode = Mode::Run;
    std::vector<std::string> args;  // the run's own arguments, options taken out
    Encoding encoding = Encoding::Cp1251;
    bool quiet = false;
    NameOrder order = NameOrder::Bytewise;  // of the entries, by "--order=ru"
    std::string unknown;  // the option that is none, for Mode::UnknownOption
};

// Options may stand anywhere and repeat; "--" ends them, so that what follows
// is an argument even when it begins with "-". An argument that begins with
// "-" and is no option makes the mode UnknownOption. "--help" and "--version"
// win over the rest.
Options parseOptions(std::span<const std::string> commandLine);

// The usage, one line for each option.
Bytes usage();

// The answer to an unknown option.
Bytes unknownOption(const std::string& option);
