#pragma once
// The command line: the options; the usage, the version and a refused
// option are answered (by the console) before the run touches any file.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "elements/name_order.hpp"
#include "text/encoding.hpp"
#include "text/format.hpp"

enum class Mode { Run, Check, Lsp, Help, Version, UnknownOption };

// Why the command line is refused, for Mode::UnknownOption.
enum class OptionFault { None, Unknown, NoDirectory, BadConsole };

struct Options {
    Mode mode = Mode::Run;
    std::vector<std::string> args;  // the run's own arguments, options taken out
    Encoding encoding = Encoding::Cp1251;
    std::optional<Encoding> console;  // "--console=": whatever the locale says
    bool check = false;   // "--check" was given, even beside a fault
    bool quiet = false;
    bool strict = false;  // an error finding makes the status 1
    std::string directory;  // "-C": the run's directory, relative to the one it starts in; "" for that one
    NameOrder order = NameOrder::Bytewise;  // of the entries, by "--order=ru"
    OptionFault fault = OptionFault::None;
    std::string unknown;  // the option at fault
};

// Options may stand anywhere and repeat; "--" ends them, so that what follows
// is an argument even when it begins with "-". An argument that begins with
// "-" and is no option makes the mode UnknownOption. "--help" and "--version"
// win over the rest. Each "-C DIR" is taken relative to the one before, as
// make and git do.
Options parseOptions(std::span<const std::string> commandLine);

// How the console shows text: as "--console=" says, else UTF-8 with "--utf8",
// else as the locale (or the platform) says.
Encoding consoleEncoding(const Options& options, Encoding otherwise);
