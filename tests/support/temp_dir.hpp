#pragma once
// A fresh directory for one whole run, removed afterwards, with the small file
// helpers the run tests share.

#include <filesystem>
#include <string>
#include <vector>

struct TempDir {
    std::filesystem::path path;
    explicit TempDir(const std::string& name);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

struct RunResult {
    int status = 0;
    std::string console;
};

// Runs the tool in-process in `dir` with these arguments.
RunResult runIn(const std::filesystem::path& dir, const std::vector<std::string>& args);

// The sixteen files every run creates first, in their order of creation.
extern const std::vector<std::string> kRunFiles;
