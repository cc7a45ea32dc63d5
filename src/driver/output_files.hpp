#pragma once
// The files a run writes. Each is written to a temporary file beside its
// target, named ".olyindex-tmp-" and the target's name, and put in place of
// the target only when the run keeps what it wrote; otherwise the temporary
// file is removed and the target stays as it was. Each has a sink that goes
// to the file, converted to the run's encoding, whenever its buffer fills and
// at the end of every stage; a write that fails is remembered and reported at
// the closing, so a report reads the same whatever the sizes of the buffers.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/encoding.hpp"
#include "text/sink.hpp"

// What the names of the temporary files begin with.
inline constexpr std::string_view kTemporaryPrefix = ".olyindex-tmp-";

// A connected sink writes through the record: it stays where it is.
struct OutputFile {
    std::string name;  // as the messages name it
    std::filesystem::path target;
    std::filesystem::path temporary;  // empty while none exists
    std::FILE* handle = nullptr;
    Sink sink;
    bool failed = false;
};

// Connects the file's sink: what it gathers goes to the file while the file
// is open and nowhere otherwise (a check opens none).
void connectOutput(OutputFile& file, Encoding encoding);

// Creates the temporary file beside the target `dir`/`name`, with the
// permission bits of the target when there is one; false when that fails.
bool openOutput(OutputFile& file, const std::filesystem::path& dir, std::string name);

// Writes what the sink has gathered and gives its buffer back, for the
// next writer to take: most files are written by one stage only.
void spillOutput(OutputFile& file);

// Spills, flushes, writes through to the disk when `sync`, and closes; false
// when any write to the file failed. Does nothing (true) for a file that was
// never opened or is closed already.
bool closeOutput(OutputFile& file, bool sync);

// Puts the closed temporary file in place of the target; false when that
// fails (the temporary file is then removed). True for a file never opened.
bool putInPlace(OutputFile& file);

// Closes the file without a word and removes the temporary file: the target
// stays as it was.
void discardOutput(OutputFile& file);

// Removes the temporary files that a run ended by force (SIGKILL, a power
// cut) left in `dir`.
void removeLeftTemporaries(const std::filesystem::path& dir);
