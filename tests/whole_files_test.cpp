// A run over a book big enough to take a while, in a directory that holds an
// earlier run's files, ended from outside: by a signal at several moments, by
// a file-size limit, by a second run. Afterwards every file is the earlier
// run's or a complete new run's, all of them the one or the other, and no
// temporary file is left.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "cases.hpp"
#include "text/cp1251.hpp"
#include "tool.hpp"

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>;

// About five megabytes of copy and a few of fragments; `name` sets the element
// names apart, so that the earlier and the new run differ in every index.
std::string bigBook(const std::string& name) {
    std::string source = "#!\n";
    constexpr int kProblems = 9999;
    for (int i = 1; i <= kProblems; ++i) source += "0/" + std::to_string(i) + " 5/" + std::to_string(i) + "\n";
    source += "#/0\n";
    for (int line = 0; line < 30000; ++line) {
        source += name + std::to_string(line % 7000);
        source += line % 3 == 0 ? std::string(cp1251(" язык")) : std::string(cp1251(" падеж"));
        source += " --";
        for (int k = 0; k < 6; ++k) source += (k ? ", " : " ") + std::to_string(1 + (line * 7 + k * 1601) % kProblems);
        source += "\n";
    }
    return source;
}

const std::string kTemplate = std::string(cp1251("\\элемент\n{\\bf абази\\'нский} язык: []\n"));

// A complete run on `source` in a fresh directory: the files it leaves.
Files completeRun(const std::string& label, const std::string& source) {
    TempDir dir(label);
    writeFile(dir.path / "book.src", source);
    writeFile(dir.path / "indeksal_yazykov.tex.template", kTemplate);
    EXPECT_EQ(runIn(dir.path, {"book.src", "copy.txt"}).status, 0);
    return filesIn(dir.path);
}

struct Books {
    std::string oldSource = bigBook("A");
    std::string newSource = bigBook("B");
    Files before = completeRun("whole-old", oldSource);
    Files after = completeRun("whole-new", newSource);
};

const Books& books() {
    static const Books made;
    return made;
}

// A directory holding the earlier run's files, with the new source.
struct Earlier {
    TempDir dir;
    explicit Earlier(const std::string& label) : dir(label) {
        layOut(books().before, dir.path);
        writeFile(dir.path / "book.src", books().newSource);
    }
    Files files() const {
        Files now = filesIn(dir.path);
        now["book.src"] = books().oldSource;  // compared as the earlier run left it
        return now;
    }
    // All files the earlier run's, or all a complete new run's; true for the earlier.
    bool expectWhole(const std::string& when, int status, int interruptedStatus) const {
        Files now = files();
        EXPECT_TRUE(temporariesIn(dir.path).empty()) << when;
        if (now == books().before) {
            EXPECT_EQ(status, interruptedStatus) << when;
            return true;
        }
        Files complete = books().after;
        complete["book.src"] = books().oldSource;
        EXPECT_EQ(status, 0) << when;
        EXPECT_TRUE(now == complete) << when << ": the files are neither all old nor all new";
        return false;
    }
};

void waitFor(const std::function<bool()>& ready, pid_t pid) {
    while (!ready()) {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0)
            return;  // the run ended first
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

std::uintmax_t sizeOf(const fs::path& path) {
    std::error_code error;
    std::uintmax_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

TEST(WholeFiles, ASignalAtAnyMomentLeavesTheOldFilesOrTheNewOnes) {
    struct Moment {
        const char* name;
        std::function<bool(const fs::path&)> ready;
    } moments[] = {
        {"at once", [](const fs::path&) { return true; }},
        {"once the files exist", [](const fs::path& d) { return fs::exists(d / ".olyindex-tmp-copy.txt"); }},
        {"in the second pass", [](const fs::path& d) { return sizeOf(d / ".olyindex-tmp-copy.txt") > 2'000'000; }},
        {"among the writers", [](const fs::path& d) { return sizeOf(d / ".olyindex-tmp-po_terminam.tex") > 0; }},
        {"near the end", [](const fs::path& d) { return sizeOf(d / ".olyindex-tmp-tabl_po_nomeram.tex") > 0; }},
    };
    int interrupted = 0;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const Moment& moment : moments) {
            if (signal != SIGINT && &moment != &moments[2] && &moment != &moments[3]) continue;
            std::string when = std::string(strsignal(signal)) + " " + moment.name;
            Earlier book("whole-signal");
            auto tool = startTool(book.dir.path, {"book.src", "copy.txt"});
            waitFor([&] { return moment.ready(book.dir.path); }, tool->pid);
            kill(tool->pid, signal);
            interrupted += book.expectWhole(when, waitTool(std::move(tool)).status, 128 + signal);
        }
    }
    EXPECT_GT(interrupted, 3);  // the signals came before the end
}

TEST(WholeFiles, AFileSizeLimitMidwayLeavesTheOldFilesAndSaysSo) {
    Earlier book("whole-limit");
    // Half the new outputs are larger than this.
    std::vector<std::uintmax_t> sizes;
    for (const auto& [name, bytes] : books().after) sizes.push_back(bytes.size());
    std::sort(sizes.begin(), sizes.end());
    const long limit = static_cast<long>(sizes[sizes.size() / 2]);
    Ended r = waitTool(startTool(book.dir.path, {"book.src", "copy.txt"}, limit));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.console.find(cp1251("\nОШИБКА записи в файл copy.txt\n").view()), std::string::npos);
    EXPECT_TRUE(book.files() == books().before);
    EXPECT_TRUE(temporariesIn(book.dir.path).empty());
}

TEST(WholeFiles, ASecondRunInTheDirectoryIsRefusedAndTheFirstEndsWhole) {
    Earlier book("whole-two-runs");
    // The first run reads its source from a FIFO: it holds the lock and waits
    // there until the source is written, however slow this test is.
    const fs::path fifo = book.dir.path / "book.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto first = startTool(book.dir.path, {"book.fifo", "copy.txt"});
    int writer = -1;
    while ((writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) == -1)  // no reader yet
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    RunResult second = runIn(book.dir.path, {"book.src", "copy.txt"});
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.console, std::string(cp1251("\nОШИБКА: в этом каталоге уже идёт другой запуск olyindex\n")));
    EXPECT_TRUE(book.files() == books().before);

    fcntl(writer, F_SETFL, 0);
    const std::string& source = books().newSource;
    for (std::size_t written = 0; written < source.size();) {
        ssize_t n = write(writer, source.data() + written, source.size() - written);
        ASSERT_GT(n, 0);
        written += static_cast<std::size_t>(n);
    }
    close(writer);
    EXPECT_EQ(waitTool(std::move(first)).status, 0);
    fs::remove(fifo);
    book.expectWhole("the first run", 0, -1);
}

TEST(WholeFiles, ASignalWhileTheSourceIsAwaitedEndsTheRunAtOnce) {
    Earlier book("whole-waiting");
    const fs::path fifo = book.dir.path / "book.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto tool = startTool(book.dir.path, {"book.fifo", "copy.txt"});
    int writer = -1;
    while ((writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) == -1)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(tool->pid, SIGINT);
    Ended r = waitTool(std::move(tool));
    close(writer);
    fs::remove(fifo);
    EXPECT_EQ(r.status, 130);
    EXPECT_TRUE(r.console.ends_with(cp1251("\nОШИБКА: работа прервана; прежние файлы сохранены\n").view())) << r.console;
    EXPECT_TRUE(book.files() == books().before);
    EXPECT_TRUE(temporariesIn(book.dir.path).empty());
}

TEST(WholeFiles, AReplacedFileKeepsItsPermissionsAndLeftTemporariesGo) {
    TempDir dir("whole-modes");
    writeFile(dir.path / "book.src", "#!\n0/1\n");
    writeFile(dir.path / "po_jazykam.tex", "old\n");
    fs::permissions(dir.path / "po_jazykam.tex", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Left by runs ended by force: one of a file this run writes, one of a copy it does not.
    writeFile(dir.path / ".olyindex-tmp-log1.log", "cut");
    writeFile(dir.path / ".olyindex-tmp-old.copy", "cut");
    EXPECT_EQ(runIn(dir.path, {"book.src", "copy.txt"}).status, 0);
    EXPECT_EQ(fs::status(dir.path / "po_jazykam.tex").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_NE(readFile(dir.path / "po_jazykam.tex"), "old\n");
    EXPECT_TRUE(temporariesIn(dir.path).empty());
}

}  // namespace
