#pragma once
// The files a run writes. Each collects its bytes in memory and receives them
// when it is closed, so a write error shows at one place: the closing.

#include <cstdio>
#include <filesystem>
#include <string>

#include "text/format.hpp"
#include "text/line_input.hpp"

struct OutputFile {
    std::string name;  // as the messages name it
    std::FILE* handle = nullptr;
    Bytes bytes;
};

// Creates (or empties) the file; false when that fails.
bool openOutput(OutputFile& file, const std::filesystem::path& dir, std::string name);

// Writes the collected bytes (in UTF-8, converted), flushes and closes; false
// on any failure. Does nothing (true) for a file that was never opened or is
// closed already.
bool closeOutput(OutputFile& file, Encoding encoding);
