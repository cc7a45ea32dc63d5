#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "driver/console_encoding.hpp"
#include "driver/run.hpp"
#include "driver/signals.hpp"
#include "driver/standard_streams.hpp"
#include "lsp/stream.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "driver/options.hpp"
#include "driver/paths.hpp"

// Linked with -municode: the arguments arrive in UTF-16, so a name in any
// script reaches the run whole, whatever the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::wstring_view arg(argv[i]);
        args.push_back(utf8FromUtf16(std::u16string(arg.begin(), arg.end())));
    }
    // The console shows the run's code page and gets its own back at the end.
    // Standard output stays in text mode, so every "\n" reaches it as CR LF;
    // the files are written in binary mode and keep "\n".
    // The language server's stream is bytes: no CR LF translation either way.
    if (parseOptions(args).mode == Mode::Lsp) {
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        return serveLanguageServer();
    }
    const UINT consoleCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(consoleEncoding(parseOptions(args), Encoding::Cp1251) == Encoding::Utf8 ? CP_UTF8 : 1251);
    _setmode(_fileno(stdout), _O_TEXT);
    installSignalHandlers();
    int status = run(args, ".", std::cout);
    std::cout.flush();
    runFinished();
    if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
    return status;
}
#else
#include <malloc.h>

#include "driver/options.hpp"

namespace {

// A run builds tables, frees them stage after stage and builds others:
// memory handed back to the system at every free would be taken again page
// by page, a fault each, so the run keeps it for reuse. The language server
// runs for hours and keeps the default.
void keepFreedMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 4 << 20);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    // A closed standard output is a console that cannot be written.
    if (!reserveStandardStreams()) std::cout.setstate(std::ios::badbit);
    installSignalHandlers();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (parseOptions(args).mode == Mode::Lsp) return serveLanguageServer();
    keepFreedMemory();
    // The console sink gathers what goes out: a second buffer would only cut
    // each of its slices into more writes.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return run(args, ".", std::cout, consoleEncodingFromLocale());
}
#endif
