#pragma once
// The file system as the run meets it: opening, reading a whole file, and the
// questions asked before any file is touched (can it be created, are two
// names one file).

#include <cstdio>
#include <filesystem>
#include <string>

// std::fopen on a path.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

enum class WholeRead { Ok, CannotOpen, ReadError };

// Reads the whole file into `bytes`, from the start to the end of the file;
// a pipe or a FIFO is read to its end as well. A directory cannot be opened.
WholeRead readWholeFile(const std::filesystem::path& path, std::string& bytes);

// True when the file could be created or emptied for writing; nothing is
// created or changed to find out.
bool canCreate(const std::filesystem::path& path);

// True when the two names lead to one file: the same file where both exist
// (through "./", a symbolic or a hard link), the same resolved path where
// one of them does not exist yet.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);
