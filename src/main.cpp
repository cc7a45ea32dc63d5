#include <iostream>
#include <string>
#include <vector>

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
    return run(args, ".", std::cout);
}
