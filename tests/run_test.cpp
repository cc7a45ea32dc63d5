// Whole runs of the built tool on the cases in tests/cases. A case folder holds
// the input files of the run (copied into a fresh directory), an optional
// `args` file (one argument a line; "source.src" and "copy.txt" by default)
// and `expected/`: `console` and `status` of the run, `files/` with the exact
// bytes of every file that must exist afterwards, and optional lists `empty`
// (files that must exist and be empty) and `absent` (files that must not exist).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.hpp"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> linesOf(const fs::path& path) {
    std::vector<std::string> lines;
    if (!fs::exists(path)) return lines;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(OLYINDEX_CASES))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class WholeRun : public testing::TestWithParam<std::string> {};

TEST_P(WholeRun, MatchesTheExpectedFilesByteForByte) {
    const fs::path caseDir = fs::path(OLYINDEX_CASES) / GetParam();
    const fs::path work = fs::temp_directory_path() / ("olyindex-case-" + GetParam() + "-" + std::to_string(getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    for (const auto& entry : fs::directory_iterator(caseDir)) {
        std::string name = entry.path().filename().string();
        if (name == "expected" || name == "args") continue;
        fs::copy(entry.path(), work / name, fs::copy_options::recursive);
    }
    std::vector<std::string> args = fs::exists(caseDir / "args") ? linesOf(caseDir / "args")
                                                                   : std::vector<std::string>{"source.src", "copy.txt"};
    std::string command = "cd " + quoted(work.string()) + " && " + quoted(OLYINDEX_BINARY);
    for (const std::string& arg : args) command += " " + quoted(arg);
    command += " > console.out";
    int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << command;

    const fs::path expected = caseDir / "expected";
    EXPECT_EQ(std::to_string(WEXITSTATUS(raw)), linesOf(expected / "status").at(0));
    EXPECT_EQ(readFile(work / "console.out"), readFile(expected / "console"));
    if (fs::exists(expected / "files")) {
        for (const auto& entry : fs::directory_iterator(expected / "files")) {
            std::string name = entry.path().filename().string();
            ASSERT_TRUE(fs::exists(work / name)) << name;
            EXPECT_EQ(readFile(work / name), readFile(entry.path())) << name;
        }
    }
    for (const std::string& name : linesOf(expected / "empty")) {
        EXPECT_TRUE(fs::is_regular_file(work / name)) << name;
        EXPECT_EQ(fs::file_size(work / name), 0u) << name;
    }
    for (const std::string& name : linesOf(expected / "absent")) EXPECT_FALSE(fs::exists(work / name)) << name;
    if (!HasFailure()) fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeRun, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
                                 if (!plain) c = '_';
                             }
                             return name;
                         });

}  // namespace
