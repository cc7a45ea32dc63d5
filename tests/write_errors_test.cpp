// Runs in-process whose output files can't take their bytes: every failing
// file is reported when it is closed, and the run ends with status 1.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.hpp"
#include "text/cp1251.hpp"

namespace fs = std::filesystem;

namespace {

TEST(WriteErrors, EveryFailingFileIsNamedAtTheEndAndTheStatusIs1) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    TempDir dir("write-errors");
    writeFile(dir.path / "source.src", "#!\n0/1\n#/0\nA -- 1\n");
    fs::create_symlink("/dev/full", dir.path / "log2.log");
    fs::create_symlink("/dev/full", dir.path / "copy.txt");
    auto [status, console] = runIn(dir.path, {"source.src", "copy.txt"});
    EXPECT_EQ(status, 1);
    std::string expectedEnd = std::string(cp1251("\nОШИБКА записи в файл copy.txt\n")) +
                              std::string(cp1251("\nОШИБКА записи в файл log2.log\n"));
    ASSERT_GE(console.size(), expectedEnd.size());
    // The report of the whole run comes first; the write errors close it.
    EXPECT_EQ(console.substr(console.size() - expectedEnd.size()), expectedEnd);
    EXPECT_NE(readFile(dir.path / "polnyj_indeksal.tex").find("{2} A"), std::string::npos);
}

TEST(WriteErrors, AStopStillReportsTheFilesItCouldNotWrite) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    TempDir dir("write-errors-stop");
    writeFile(dir.path / "source.src", "#!\n0/1\noutside\n" + std::string(3000, 'x') + "\n");
    fs::create_symlink("/dev/full", dir.path / "copy.txt");
    auto [status, console] = runIn(dir.path, {"source.src", "copy.txt"});
    EXPECT_EQ(status, 1);
    std::string expectedEnd = std::string(cp1251("\nОШИБКА: в исходном файле длина строки 4 превышает 2048 символов.")) +
                              std::string(cp1251("\nОШИБКА записи в файл copy.txt\n"));
    ASSERT_GE(console.size(), expectedEnd.size());
    EXPECT_EQ(console.substr(console.size() - expectedEnd.size()), expectedEnd);
}

TEST(InProcessRun, ResolvesFilesInTheGivenDirectory) {
    TempDir dir("in-process");
    writeFile(dir.path / "source.src", "#!\n0/1\n");
    EXPECT_EQ(runIn(dir.path, {"source.src", "copy.txt"}).status, 0);
    EXPECT_EQ(readFile(dir.path / "copy.txt"), "#!\n0/1\n#!\n0/1\n#!\n0/1\n");
    EXPECT_TRUE(fs::exists(dir.path / "tabl_po_olimpiadam.tex"));
}

}  // namespace
