// What a run does with the files around it before it writes anything: names
// that lead to the same file, sources that are no regular files, sources and
// templates that fail to read, and standard streams that are closed or full.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "cases.hpp"
#include "text/cp1251.hpp"
#include "text/utf8.hpp"

namespace fs = std::filesystem;

namespace {

const std::string kBanner(cp1251("\nПрограмма для построения индекса к книжке \"Квиртала\"\n"));
const std::string kSource(cp1251("#!\n0/1 3/4\n0/2\n#/3\nабазинский язык -- 4*\n"));

// Runs the built tool in `dir` with standard input from `input` (when not -1)
// and standard output to `output` (closed when -1); its exit status.
int runTool(const fs::path& dir, const std::vector<std::string>& args, int input, int output) {
    pid_t pid = fork();
    if (pid == 0) {
        if (input != -1) dup2(input, 0);
        if (output != -1) dup2(output, 1);
        else close(1);
        if (chdir(dir.c_str()) != 0) _exit(126);
        std::vector<char*> argv{const_cast<char*>(OLYINDEX_BINARY)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(OLYINDEX_BINARY, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A complete run on the source as a regular file: what every other way of
// handing over the same bytes must give.
std::map<std::string, std::string> regularRun() {
    TempDir dir("startup-regular");
    writeFile(dir.path / "book.src", kSource);
    EXPECT_EQ(runIn(dir.path, {"book.src", "copy.txt"}).status, 0);
    auto files = filesIn(dir.path);
    files.erase("book.src");
    return files;
}

TEST(StartUp, LinksToAFileOfTheRunClash) {
    TempDir dir("startup-links");
    writeFile(dir.path / "book.src", kSource);
    writeFile(dir.path / "log2.log", "earlier\n");
    fs::create_symlink("log2.log", dir.path / "soft.log");
    fs::create_hard_link(dir.path / "log2.log", dir.path / "hard.log");
    fs::create_symlink("po_jazykam.tex", dir.path / "dangling.tex");
    const auto before = filesIn(dir.path);
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"book.src", "soft.log"}, "\nОШИБКА: файл soft.log [2] совпадает с файлом log2.log\n"},
        {{"book.src", "hard.log"}, "\nОШИБКА: файл hard.log [2] совпадает с файлом log2.log\n"},
        {{"book.src", "dangling.tex"}, "\nОШИБКА: файл dangling.tex [2] совпадает с файлом po_jazykam.tex\n"},
        {{"hard.log", "copy.txt"}, "\nОШИБКА: файл hard.log [1] совпадает с файлом log2.log\n"},
    };
    for (const Case& c : cases) {
        RunResult r = runIn(dir.path, c.args);
        EXPECT_EQ(r.status, 1) << c.args[1];
        EXPECT_EQ(r.console, kBanner + fromUtf8(c.message).text) << c.args[1];
        EXPECT_EQ(filesIn(dir.path), before) << c.args[1];
    }
}

TEST(StartUp, APipeOrAFifoGivesTheResultsOfARegularFile) {
    const auto expected = regularRun();

    TempDir piped("startup-pipe");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], kSource.data(), kSource.size()), static_cast<ssize_t>(kSource.size()));
    close(fds[1]);
    int null = open("/dev/null", O_WRONLY);
    EXPECT_EQ(runTool(piped.path, {"/dev/stdin", "copy.txt"}, fds[0], null), 0);
    close(fds[0]);
    close(null);
    EXPECT_EQ(filesIn(piped.path), expected);

    TempDir fifo("startup-fifo");
    ASSERT_EQ(mkfifo((fifo.path / "book.fifo").c_str(), 0600), 0);
    std::thread writer([&] { writeFile(fifo.path / "book.fifo", kSource); });
    RunResult r = runIn(fifo.path, {"book.fifo", "copy.txt"});
    writer.join();
    EXPECT_EQ(r.status, 0);
    fs::remove(fifo.path / "book.fifo");
    EXPECT_EQ(filesIn(fifo.path), expected);
}

TEST(StartUp, ASourceOrTemplateThatFailsToReadStopsBeforeAnyFile) {
    // Reading a process's memory from its start fails with an input error.
    const std::string unreadable = "/proc/self/mem";
    if (!fs::exists(unreadable)) GTEST_SKIP() << "no " << unreadable;
    TempDir dir("startup-read-error");
    RunResult source = runIn(dir.path, {unreadable, "copy.txt"});
    EXPECT_EQ(source.status, 1);
    EXPECT_EQ(source.console, kBanner + std::string(cp1251("\nОШИБКА чтения файла ")) + unreadable + "\n");

    writeFile(dir.path / "book.src", kSource);
    fs::create_symlink(unreadable, dir.path / "indeksal_yazykov.tex.template");
    RunResult templ = runIn(dir.path, {"book.src", "copy.txt"});
    EXPECT_EQ(templ.status, 1);
    EXPECT_EQ(templ.console, kBanner + std::string(cp1251("\nОШИБКА чтения файла indeksal_yazykov.tex.template\n")));
    EXPECT_EQ(filesIn(dir.path).size(), 2u);  // the source and the template alone
}

TEST(StartUp, AClosedOrFullStandardOutputFailsTheRunAndNoFileTakesItsPlace) {
    const auto expected = regularRun();
    TempDir closed("startup-closed-output");
    writeFile(closed.path / "book.src", kSource);
    EXPECT_EQ(runTool(closed.path, {"book.src", "copy.txt"}, -1, -1), 1);
    auto files = filesIn(closed.path);
    files.erase("book.src");
    EXPECT_EQ(files, expected);  // log1.log holds the log, not the console

    if (!fs::exists("/dev/full")) return;
    TempDir full("startup-full-output");
    writeFile(full.path / "book.src", kSource);
    int device = open("/dev/full", O_WRONLY);
    EXPECT_EQ(runTool(full.path, {"book.src", "copy.txt"}, -1, device), 1);
    close(device);
}

}  // namespace
