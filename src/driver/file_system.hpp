#pragma once
// Reading a whole file, asking before any file is touched whether one could
// be put in a place, and the few calls that write a file beside its target
// and put it in place.

#include <cstdio>
#include <filesystem>
#include <string>

enum class WholeRead { Ok, CannotOpen, ReadError };

// Reads the whole file into `bytes`, from the start to the end of the file;
// a pipe or a FIFO is read to its end as well. A directory cannot be opened.
WholeRead readWholeFile(const std::filesystem::path& path, std::string& bytes);

// True when a new file could be put at `path`: the name is one a file can
// have (no trailing separator, not too long, no loop), the directory it names
// exists and can be written, and what stands there now, if anything, is a
// writable regular file or a symbolic link (which is replaced, not followed)
// that leads to a regular file or nowhere. Nothing is created or changed.
bool canCreate(const std::filesystem::path& path);

// True when `path` leads to something that is neither a regular file nor a
// directory (a FIFO, a device, a socket), which reading could wait on forever.
bool isSpecialFile(const std::filesystem::path& path);

// Creates a new, empty file for writing in binary mode, unbuffered; none when
// the name is taken or the file cannot be made. Never follows a link, never waits.
std::FILE* createNewFile(const std::filesystem::path& path);

// Gives the open file the permission bits of the regular file at `model`,
// when there is one.
void copyPermissions(std::FILE* file, const std::filesystem::path& model);

// Writes what the system holds of the file through to the disk.
bool syncFile(std::FILE* file);

// Puts the file `from` in place of `to` in one step, replacing what stood
// there; `from` is gone afterwards. Allocates nothing.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the file; allocates nothing.
void removeFile(const std::filesystem::path& path);
