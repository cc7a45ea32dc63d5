// The check and the quiet run against the run itself: on a source full of
// faults the check's errors are exactly the lines a run rejects, a quiet run
// writes the very files of a run, and the console follows the locale.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cases.hpp"
#include "text/cp1251.hpp"
#include "text/utf8.hpp"

namespace fs = std::filesystem;

namespace {

// A book of problems and element lines, a fifth of them faulty in one of the
// ways a run rejects without stopping.
std::string faultyBook() {
    std::uint32_t seed = 12345;
    auto next = [&](std::uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % below;
    };
    std::string book = "#!\n";
    const char* badPlacements[] = {"3/x", "12345/1", "3/4.12345", "/4", "3-4"};
    for (int n = 1; n <= 120; ++n) {
        book += "0/" + std::to_string(n) + " 3/" + std::to_string(n);
        if (next(5) == 0) book += std::string(" ") + badPlacements[next(5)];
        book += next(7) == 0 ? " NS\n" : "\n";
    }
    book += "#/3\n! О3\n!! Олимпиада 3\n";
    const char* badReferences[] = {"999", "12345", "7.", "7**", "7 8", "7а", "7.1234"};
    for (int line = 0; line < 300; ++line) {
        book += std::string(cp1251("Термин ")) + std::to_string(next(40)) + " -- " + std::to_string(1 + next(120));
        if (next(5) == 0) book += std::string(", ") + badReferences[next(7)];
        if (next(9) == 0) book += std::string(cp1251(", см. также"));
        book += "\n";
    }
    book += "! " + std::string(1030, 'L') + "\n";
    return book;
}

std::set<long> numbersAfter(const std::string& text, const std::string& marker) {
    std::set<long> numbers;
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1))
        numbers.insert(std::stol(text.substr(at + marker.size())));
    return numbers;
}

TEST(Check, ItsErrorsAreTheLinesARunRejectsAndAQuietRunWritesTheSameFiles) {
    const std::string book = faultyBook();
    TempDir plain("check-plain");
    TempDir quiet("check-quiet");
    TempDir checked("check-only");
    for (const TempDir* dir : {&plain, &quiet, &checked}) writeFile(dir->path / "book.src", book);

    RunResult run = runIn(plain.path, {"book.src", "copy.txt"});
    EXPECT_EQ(run.status, 0);
    std::set<long> rejected = numbersAfter(run.console, std::string(cp1251("\nОШИБКА формата, строка ")));
    std::set<long> badSources = numbersAfter(run.console, std::string(cp1251("\nОШИБКА в исходном файле в строке ")));
    rejected.insert(badSources.begin(), badSources.end());
    EXPECT_GT(rejected.size(), 50u);

    RunResult check = runIn(checked.path, {"--check", "book.src"});
    EXPECT_EQ(check.status, 1);
    std::set<long> errors;
    std::istringstream lines(check.console);
    for (std::string line; std::getline(lines, line);)
        if (line.find(std::string(cp1251(": ошибка: "))) != std::string::npos) errors.insert(std::stol(line.substr(9)));
    EXPECT_EQ(errors, rejected);
    EXPECT_EQ(filesIn(checked.path).size(), 1u);  // the check wrote nothing

    RunResult silent = runIn(quiet.path, {"-q", "book.src", "copy.txt"});
    EXPECT_EQ(silent.status, 0);
    EXPECT_EQ(silent.console, check.console);  // the findings and the summary, nothing else
    EXPECT_EQ(filesIn(quiet.path), filesIn(plain.path));
}

// Runs the built tool with only this locale in its environment; its console.
std::string consoleUnder(const fs::path& dir, const char* locale, std::vector<std::string> args) {
    int fds[2];
    if (pipe(fds) != 0) return "<no pipe>";
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        if (chdir(dir.c_str()) != 0) _exit(126);
        std::vector<char*> argv{const_cast<char*>(OLYINDEX_BINARY)};
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::string variable = std::string("LC_ALL=") + locale;
        char* envp[] = {variable.data(), nullptr};
        execve(OLYINDEX_BINARY, argv.data(), envp);
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(got));
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return out;
}

TEST(Check, TheConsoleIsUtf8UnderAUtf8LocaleAndCodePage1251Otherwise) {
    TempDir dir("check-locale");
    writeFile(dir.path / "book.src", std::string(cp1251("#!\n0/1 x\n")));
    const std::string expected(cp1251("book.src:2:5: ошибка: неверное размещение «x»: нужно ИСТОЧНИК/НОМЕР[.ПОДНОМЕР], до "
                                      "4 цифр в каждой части\nbook.src: ошибок 1, предупреждений 0\n"));
    EXPECT_EQ(consoleUnder(dir.path, "C", {"--check", "book.src"}), expected);
    EXPECT_EQ(consoleUnder(dir.path, "C.UTF-8", {"--check", "book.src"}), toUtf8(expected));
    EXPECT_TRUE(consoleUnder(dir.path, "C.UTF-8", {"--help"}).starts_with("Использование:"));
}

}  // namespace

namespace {

TEST(Check, TheConsoleOptionOverridesTheLocale) {
    TempDir dir("check-console-option");
    const std::string stop = "missing.src: ошибка: исходный файл недоступен\n";
    EXPECT_EQ(consoleUnder(dir.path, "C", {"--console=utf8", "--check", "missing.src"}), stop);
    EXPECT_EQ(consoleUnder(dir.path, "C.UTF-8", {"--check", "missing.src", "--console=cp1251"}), fromUtf8(stop).text);
    // Over --utf8 too, which would make the console UTF-8.
    EXPECT_EQ(consoleUnder(dir.path, "C.UTF-8", {"--utf8", "--console=cp1251", "-q", "missing.src", "copy"}),
              fromUtf8(stop).text);
}

}  // namespace
