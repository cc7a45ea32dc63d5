// Whole runs on the cases in tests/cases (see tests/support/cases.hpp), each
// in a fresh directory, compared byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cases.hpp"

namespace fs = std::filesystem;

namespace {

class WholeRun : public testing::TestWithParam<std::string> {};

TEST_P(WholeRun, MatchesTheExpectedFilesByteForByte) {
    const fs::path caseDir = fs::path(OLYINDEX_CASES) / GetParam();
    TempDir work("case-" + GetParam());
    const auto inputs = caseInputs(caseDir, [](const std::string& bytes) { return bytes; });
    layOut(inputs, work.path);
    makeLinks(caseDir, work.path);
    const auto before = filesIn(work.path);
    RunResult r = runIn(work.path, caseArgs(caseDir));

    const fs::path expected = caseDir / "expected";
    EXPECT_EQ(std::to_string(r.status), linesOf(expected / "status").at(0));
    EXPECT_EQ(r.console, readFile(expected / "console"));
    if (fs::exists(expected / "unchanged")) {
        EXPECT_EQ(filesIn(work.path), before);
        EXPECT_TRUE(linksStand(caseDir, work.path));
    }
    if (fs::exists(expected / "files")) {
        for (const auto& [name, bytes] : filesIn(expected / "files")) {
            ASSERT_TRUE(fs::exists(work.path / name)) << name;
            EXPECT_EQ(readFile(work.path / name), bytes) << name;
        }
    }
    for (const std::string& name : linesOf(expected / "empty")) {
        EXPECT_TRUE(fs::is_regular_file(work.path / name)) << name;
        EXPECT_EQ(fs::file_size(work.path / name), 0u) << name;
    }
    for (const std::string& name : linesOf(expected / "absent")) EXPECT_FALSE(fs::exists(work.path / name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeRun, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
                                 if (!plain) c = '_';
                             }
                             return name;
                         });

}  // namespace
