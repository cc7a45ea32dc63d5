#include <iostream>
#include <string>
#include <vector>

#include "driver/console_encoding.hpp"
#include "driver/run.hpp"
#include "driver/standard_streams.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
    // A closed standard output is a console that cannot be written.
    if (!reserveStandardStreams()) std::cout.setstate(std::ios::badbit);
#ifdef _WIN32
    SetConsoleOutputCP(1251);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
    return run(args, ".", std::cout);
#else
    return run(args, ".", std::cout, consoleEncodingFromLocale());
#endif
}
