// The Russian order changes the order of the entries and nothing else: on a
// medium book, the full index and the terms index hold the same lines as in
// a run without it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cases.hpp"

namespace fs = std::filesystem;

namespace {

TEST(RussianOrderRun, TheIndexesHoldTheSameLinesInAnotherOrder) {
    const fs::path book = fs::path(OLYINDEX_CASES) / "full_medium_book";
    const auto inputs = caseInputs(book, [](const std::string& bytes) { return bytes; });
    TempDir bytewise("order-bytes");
    TempDir russian("order-russian");
    layOut(inputs, bytewise.path);
    layOut(inputs, russian.path);
    std::vector<std::string> args = caseArgs(book);
    ASSERT_EQ(runIn(bytewise.path, args).status, 0);
    args.insert(args.begin(), "--order=ru");
    ASSERT_EQ(runIn(russian.path, args).status, 0);
    for (const char* name : {"polnyj_indeksal.tex", "po_terminam.tex"}) {
        std::vector<std::string> inBytes = linesOf(bytewise.path / name);
        std::vector<std::string> inRussian = linesOf(russian.path / name);
        EXPECT_NE(inRussian, inBytes) << name;  // the book has names the two orders place differently
        std::ranges::sort(inBytes);
        std::ranges::sort(inRussian);
        EXPECT_EQ(inRussian, inBytes) << name;
    }
}

}  // namespace
