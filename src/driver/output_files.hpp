#pragma once
// The files a run writes. Each collects its bytes in memory and hands them on
// at the end of every stage and when it is closed; a write that fails is
// remembered and reported at the closing, so a report reads the same whatever
// the sizes of the buffers.

#include <cstdio>
#include <filesystem>
#include <string>

#include "text/format.hpp"
#include "text/encoding.hpp"

struct OutputFile {
    std::string name;  // as the messages name it
    std::FILE* handle = nullptr;
    Bytes bytes;
    bool failed = false;
};

// Creates (or empties) the file; false when that fails.
bool openOutput(OutputFile& file, const std::filesystem::path& dir, std::string name);

// Writes what the file has collected (in UTF-8, converted) and empties the buffer.
void spillOutput(OutputFile& file, Encoding encoding);

// Spills, flushes and closes; false when any write to the file failed. Does
// nothing (true) for a file that was never opened or is closed already.
bool closeOutput(OutputFile& file, Encoding encoding);
