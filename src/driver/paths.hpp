#pragma once
// File names from the command line and the paths they stand for. Windows hands
// the names over in UTF-16; the run carries them as UTF-8 and makes UTF-16
// paths of them again, so a Cyrillic name works whatever the ANSI code page.
// Elsewhere a name is the bytes the system gave.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/encoding.hpp"

// UTF-16 as UTF-8. A lone surrogate, which a Windows name may hold, keeps the
// three-byte form of its code point, so utf16FromUtf8 gives it back unchanged.
std::string utf8FromUtf16(std::u16string_view text);

// The reverse of utf8FromUtf16; a byte that starts no character becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view text);

// The path a name from the command line stands for.
std::filesystem::path argumentPath(std::string_view name);

// std::fopen on a path, whatever characters the path holds.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// A name from the command line as the messages show it, in code page 1251.
// Names are UTF-8 on Windows and in UTF-8 mode: there a character that code
// page 1251 cannot hold shows as '?'. Otherwise the name's bytes stand as given.
std::string shownName(std::string_view name, Encoding encoding);

// The absolute path with "." and "..", and symbolic links as far as the file
// system has them, resolved; a link whose target does not exist yet leads to
// that target.
std::filesystem::path resolvedPath(std::filesystem::path path);

// Whether two paths lead to one file: when both exist, whether they are the
// same file (through "./", a symbolic or a hard link); otherwise whether they
// resolve to the same place, a name compared with a name. Names compare
// without regard to case on Windows, as its file systems do.
bool samePath(const std::filesystem::path& a, const std::filesystem::path& b);

// A path resolved once, with the identity of its file when it has one: a run
// compares each of its files with every other, and resolving and comparing
// ask the file system each time, so each path asks once.
struct ResolvedPath {
    std::filesystem::path path;
    bool exists = false;
    std::uint64_t device = 0;  // with `inode`, the file's identity where the system gives one
    std::uint64_t inode = 0;
};

ResolvedPath resolvedOnce(const std::filesystem::path& path);

// samePath for two paths resolved once.
bool sameResolvedPath(const ResolvedPath& a, const ResolvedPath& b);
