#pragma once
// One run at a time in a directory. The lock lives as long as the record and
// leaves no file behind; the system drops it with the process, however the
// process ends. Linux and macOS lock the directory itself (flock); Windows
// takes a named mutex that stands for the directory's identity on its volume.

#include <filesystem>

struct RunLock {
    RunLock() = default;
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;
    ~RunLock();
#ifdef _WIN32
    void* handle = nullptr;
#else
    int descriptor = -1;
#endif
};

// False when another process holds the lock of `dir`. A directory that
// cannot be opened or locked (a file system without locks) is no reason to
// refuse: the checks that follow judge the directory.
bool lockDirectory(RunLock& lock, const std::filesystem::path& dir);
