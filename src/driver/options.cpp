#include "driver/options.hpp"


namespace {

// "a" then "b" is "a/b"; an absolute "b" stands alone.
void composeDirectory(std::string& directory, const std::string& next) {
    bool absolute = next.starts_with('/') || next.starts_with('\\') || (next.size() > 1 && next[1] == ':');
    if (directory.empty() || absolute) directory = next;
    else directory += (directory.ends_with('/') ? "" : "/") + next;
}

}  // namespace

Options parseOptions(std::span<const std::string> commandLine) {
    Options options;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    bool lsp = false;
    auto refuse = [&](OptionFault fault, const std::string& arg) {
        if (options.fault != OptionFault::None) return;
        options.fault = fault;
        options.unknown = arg;
    };
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const std::string& arg = commandLine[i];
        if (optionsEnded || !arg.starts_with('-')) options.args.push_back(arg);
        else if (arg == "--") optionsEnded = true;
        else if (arg == "--utf8") options.encoding = Encoding::Utf8;
        else if (arg == "--order=ru") options.order = NameOrder::Russian;
        else if (arg == "-q" || arg == "--quiet") options.quiet = true;
        else if (arg == "--strict") options.strict = true;
        else if (arg == "--check") options.check = true;
        else if (arg == "--lsp") lsp = true;
        else if (arg == "-h" || arg == "--help") help = true;
        else if (arg == "--version") version = true;
        else if (arg == "--console=utf8") options.console = Encoding::Utf8;
        else if (arg == "--console=cp1251") options.console = Encoding::Cp1251;
        else if (arg.starts_with("--console=")) refuse(OptionFault::BadConsole, arg);
        else if (arg == "-C" && i + 1 < commandLine.size() && !commandLine[i + 1].empty())
            composeDirectory(options.directory, commandLine[++i]);
        else if (arg == "-C") refuse(OptionFault::NoDirectory, arg);
        else if (arg.starts_with("-C")) composeDirectory(options.directory, arg.substr(2));
        else if (arg.starts_with("--directory=") && arg.size() > 12) composeDirectory(options.directory, arg.substr(12));
        else refuse(OptionFault::Unknown, arg);
    }
    if (help) options.mode = Mode::Help;
    else if (version) options.mode = Mode::Version;
    else if (options.fault != OptionFault::None) options.mode = Mode::UnknownOption;
    else if (lsp) options.mode = Mode::Lsp;
    else if (options.check) options.mode = Mode::Check;
    return options;
}

Encoding consoleEncoding(const Options& options, Encoding otherwise) {
    if (options.console) return *options.console;
    return options.encoding == Encoding::Utf8 ? Encoding::Utf8 : otherwise;
}
