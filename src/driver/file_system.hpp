#pragma once
// Reading a whole file, and asking before any file is touched whether one
// could be created.

#include <cstdio>
#include <filesystem>
#include <string>

enum class WholeRead { Ok, CannotOpen, ReadError };

// Reads the whole file into `bytes`, from the start to the end of the file;
// a pipe or a FIFO is read to its end as well. A directory cannot be opened.
WholeRead readWholeFile(const std::filesystem::path& path, std::string& bytes);

// True when the file could be created or emptied for writing; nothing is
// created or changed to find out.
bool canCreate(const std::filesystem::path& path);
