#include <iostream>
#include <string>
#include <vector>

#include "driver/run.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(1251);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    return run(args, ".", std::cout);
}
