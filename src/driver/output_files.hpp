#pragma once
// The files a run writes. Each has a sink that goes to the file, converted
// to the run's encoding, whenever its buffer fills and at the end of every
// stage; a write that fails is remembered and reported at the closing, so a
// report reads the same whatever the sizes of the buffers.

#include <cstdio>
#include <filesystem>
#include <string>

#include "text/encoding.hpp"
#include "text/sink.hpp"

// A connected sink writes through the record: it stays where it is.
struct OutputFile {
    std::string name;  // as the messages name it
    std::FILE* handle = nullptr;
    Sink sink;
    bool failed = false;
};

// Connects the file's sink: what it gathers goes to the file while the file
// is open and nowhere otherwise (a check opens none).
void connectOutput(OutputFile& file, Encoding encoding);

// Creates (or empties) the file; false when that fails.
bool openOutput(OutputFile& file, const std::filesystem::path& dir, std::string name);

// Writes what the sink has gathered.
void spillOutput(OutputFile& file);

// Spills, flushes and closes; false when any write to the file failed. Does
// nothing (true) for a file that was never opened or is closed already.
bool closeOutput(OutputFile& file);
