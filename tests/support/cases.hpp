#pragma once
// The whole-run cases in tests/cases. A case folder holds the input files of
// the run (olyindex.toml among them when the case has one), an optional `args` file (one argument a line; "source.src" and
// "copy.txt" by default) and `expected/`: `console` and `status` of the run,
// `files/` with the exact bytes of files that must exist afterwards, optional
// lists `empty` (files that must exist and be empty) and `absent` (files that
// must not exist), and an optional marker `unchanged`: the run must leave the
// folder exactly as it found it. An optional `links` file makes links among
// the inputs before the run, one a line: "soft NAME TARGET" (a symbolic link
// NAME to TARGET) or "hard NAME TARGET".

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "temp_dir.hpp"

// The names of the case folders, sorted.
std::vector<std::string> caseNames();

// The file's lines, without empty ones; none when there is no such file.
std::vector<std::string> linesOf(const std::filesystem::path& path);

// The run's arguments.
std::vector<std::string> caseArgs(const std::filesystem::path& caseDir);

// Every regular file below `dir` (its path relative to `dir`) with its bytes.
std::map<std::string, std::string> filesIn(const std::filesystem::path& dir);

// The book's settings, which are UTF-8 in every run, as TOML is.
inline constexpr const char* kSettingsFile = "olyindex.toml";

// The case's input files, each through `convert` (bytes to bytes) but the
// settings, which stay as they are.
template <class Convert>
std::map<std::string, std::string> caseInputs(const std::filesystem::path& caseDir, Convert convert) {
    std::map<std::string, std::string> inputs;
    for (auto& [name, bytes] : filesIn(caseDir)) {
        std::string top = std::filesystem::path(name).begin()->string();
        if (top == "expected" || top == "args" || top == "links") continue;
        inputs[name] = name == kSettingsFile ? bytes : convert(bytes);
    }
    return inputs;
}

// Writes the files (relative paths) into `dir`.
void layOut(const std::map<std::string, std::string>& files, const std::filesystem::path& dir);

// Makes in `dir` the links the case's `links` file names.
void makeLinks(const std::filesystem::path& caseDir, const std::filesystem::path& dir);

// Whether the links the case's `links` file names are still there, as made.
bool linksStand(const std::filesystem::path& caseDir, const std::filesystem::path& dir);
