// Runs whose files can't take their bytes (a file-size limit, as `ulimit -f`
// sets): every failing file is named when it is closed, no file of the run is
// kept, and the run ends with status 1.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cases.hpp"
#include "text/cp1251.hpp"
#include "tool.hpp"

namespace fs = std::filesystem;

namespace {

TEST(WriteErrors, EveryFailingFileIsNamedAtTheEndAndNoFileIsKept) {
    const std::string source = "#!\n0/1\n#/0\nA -- 1\n";
    constexpr long kLimit = 40;
    // The files larger than the limit, in the order of closing, are those that fail.
    TempDir complete("write-errors-complete");
    writeFile(complete.path / "source.src", source);
    ASSERT_EQ(runIn(complete.path, {"source.src", "copy.txt"}).status, 0);
    std::string expectedEnd;
    std::vector<std::string> closing{"copy.txt"};
    closing.insert(closing.end(), kRunFiles.begin(), kRunFiles.end());
    for (const std::string& name : closing)
        if (fs::file_size(complete.path / name) > kLimit) expectedEnd += std::string(cp1251("\nОШИБКА записи в файл ")) + name + "\n";
    ASSERT_FALSE(expectedEnd.empty());

    TempDir dir("write-errors");
    writeFile(dir.path / "source.src", source);
    writeFile(dir.path / "log2.log", "earlier\n");
    Ended r = waitTool(startTool(dir.path, {"source.src", "copy.txt"}, kLimit));
    EXPECT_EQ(r.status, 1);
    // The report of the whole run comes first; the write errors close it.
    EXPECT_TRUE(r.console.ends_with(expectedEnd)) << r.console;
    EXPECT_EQ(filesIn(dir.path), (std::map<std::string, std::string>{{"log2.log", "earlier\n"}, {"source.src", source}}));
    EXPECT_TRUE(temporariesIn(dir.path).empty());
}

TEST(WriteErrors, AStopStillReportsTheFilesItCouldNotWrite) {
    TempDir dir("write-errors-stop");
    writeFile(dir.path / "source.src", "#!\n0/1\noutside\n" + std::string(3000, 'x') + "\n");
    Ended r = waitTool(startTool(dir.path, {"source.src", "copy.txt"}, 4));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.console.ends_with(cp1251("\nОШИБКА: в исходном файле длина строки 4 превышает 2048 символов."
                                         "\nОШИБКА записи в файл copy.txt\n").view()))
        << r.console;
    EXPECT_EQ(filesIn(dir.path).size(), 1u);  // the source alone
}

TEST(InProcessRun, ResolvesFilesInTheGivenDirectory) {
    TempDir dir("in-process");
    writeFile(dir.path / "source.src", "#!\n0/1\n");
    EXPECT_EQ(runIn(dir.path, {"source.src", "copy.txt"}).status, 0);
    EXPECT_EQ(readFile(dir.path / "copy.txt"), "#!\n0/1\n#!\n0/1\n#!\n0/1\n");
    EXPECT_TRUE(fs::exists(dir.path / "tabl_po_olimpiadam.tex"));
}

}  // namespace
