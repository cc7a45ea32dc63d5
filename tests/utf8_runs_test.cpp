// The UTF-8 mode changes the encoding at the edges only: every whole-run case,
// its inputs turned into UTF-8 and run with --utf8, gives the code page 1251
// run's console and files turned into UTF-8, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cases.hpp"
#include "text/encoding.hpp"
#include "text/cp1251.hpp"
#include "text/utf8.hpp"

namespace fs = std::filesystem;

namespace {

// A case whose inputs hold the byte that code page 1251 leaves unassigned, or
// are UTF-8 already, has no UTF-8 twin; the settings are UTF-8 in both runs.
bool hasTwin(const std::map<std::string, std::string>& inputs) {
    for (const auto& [name, bytes] : inputs)
        if (name != kSettingsFile && (bytes.find('\x98') != std::string::npos || looksLikeUtf8(bytes))) return false;
    return true;
}

TEST(Utf8Runs, EveryCaseGivesTheSameResultsInUtf8) {
    int compared = 0;
    for (const std::string& name : caseNames()) {
        const fs::path caseDir = fs::path(OLYINDEX_CASES) / name;
        const auto inputs = caseInputs(caseDir, [](const std::string& bytes) { return bytes; });
        std::vector<std::string> args = caseArgs(caseDir);
        // A console set by "--console=" is not the one --utf8 gives.
        bool consoleSet = std::ranges::any_of(args, [](const std::string& a) { return a.starts_with("--console="); });
        if (!hasTwin(inputs) || consoleSet) continue;
        TempDir plain("utf8-plain-" + name);
        TempDir utf8("utf8-converted-" + name);
        layOut(inputs, plain.path);
        layOut(caseInputs(caseDir, [](const std::string& bytes) { return toUtf8(bytes); }), utf8.path);
        RunResult expected = runIn(plain.path, args);
        args.insert(args.begin() + static_cast<std::ptrdiff_t>(args.size() / 2), "--utf8");
        RunResult got = runIn(utf8.path, args);
        EXPECT_EQ(got.status, expected.status) << name;
        EXPECT_EQ(got.console, toUtf8(expected.console)) << name;
        std::map<std::string, std::string> plainFiles = filesIn(plain.path);
        std::map<std::string, std::string> utf8Files = filesIn(utf8.path);
        EXPECT_EQ(utf8Files.size(), plainFiles.size()) << name;
        for (const auto& [file, bytes] : plainFiles) {
            ASSERT_TRUE(utf8Files.contains(file)) << name << ": " << file;
            EXPECT_EQ(utf8Files[file], file == kSettingsFile ? bytes : toUtf8(bytes)) << name << ": " << file;
        }
        ++compared;
    }
    EXPECT_GE(compared, 25);  // the loop really went over the cases
}

struct Utf8Book {
    TempDir dir;
    explicit Utf8Book(const std::string& name, const std::string& source) : dir(name) {
        writeFile(dir.path / "book.src", source);
    }
    RunResult run() const { return runIn(dir.path, {"--utf8", "book.src", "copy.txt"}); }
};

std::string utf8(std::string_view cp1251Text) {
    return toUtf8(cp1251Text);
}

TEST(Utf8Runs, CharactersOutsideTheCodePageStopTheRunNamingThem) {
    struct Case {
        std::string line, message;
    } cases[] = {
        {"смайлик 😀 -- 1", "в строке 4 символ U+1F600 нельзя записать в кодировке 1251"},
        {"中文 -- 1", "в строке 4 символ U+4E2D нельзя записать в кодировке 1251"},
        {"обрыв \xD0", "в строке 4 байты D0 не являются символом UTF-8"},
        {"лишний \xC0\xAF", "в строке 4 байты C0 AF не являются символом UTF-8"},
    };
    const std::string banner = utf8(cp1251("\nПрограмма для построения индекса к книжке \"Квиртала\"\n"));
    for (const Case& c : cases) {
        Utf8Book book("utf8-fault", "#!\n0/1\n#/0\n" + c.line + "\nпосле -- 1\n");
        RunResult r = book.run();
        EXPECT_EQ(r.status, 1) << c.line;
        EXPECT_EQ(r.console, banner + "\nОШИБКА: в файле book.src " + c.message + "\n") << c.line;
        // Found before anything is written: the fault stops the run at start-up.
        EXPECT_EQ(filesIn(book.dir.path).size(), 1u) << c.line;
    }
}

TEST(Utf8Runs, TemplateFaultsStopLikeSourceFaults) {
    Utf8Book book("utf8-template", "#!\n0/1\n#/0\nабазинский язык -- 1\n");
    writeFile(book.dir.path / "indeksal_yazykov.tex.template", "\\элемент\n{\\bf абазинский} язык: []\n🙂\n");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.console.ends_with(
        "\nОШИБКА: в файле indeksal_yazykov.tex.template в строке 3 символ U+1F642 нельзя записать в кодировке 1251\n"));
    EXPECT_EQ(filesIn(book.dir.path).size(), 2u);
}

TEST(Utf8Runs, AByteOrderMarkIsSkippedAndTheLimitCountsConvertedCharacters) {
    // 2047 Cyrillic letters are 4094 bytes of UTF-8 but one line within the limit.
    std::string name(cp1251("я").view());
    std::string longName;
    for (int i = 0; i < 2043; ++i) longName += utf8(name);
    Utf8Book book("utf8-bom", std::string(kByteOrderMark) + "#!\n0/1\n#/0\n" + longName + " --\n");
    writeFile(book.dir.path / "indeksal_yazykov.tex.template", std::string(kByteOrderMark) + "шаблон\n");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readFile(book.dir.path / "indeksal_yazykov.tex"), "шаблон\n");
    EXPECT_NE(readFile(book.dir.path / "polnyj_indeksal.tex").find("{2} " + longName + " \\x  \\par\n"),
              std::string::npos);

    Utf8Book tooLong("utf8-long", "#!\n0/1\n#/0\n" + longName + "яя --\n");
    RunResult stop = tooLong.run();
    EXPECT_EQ(stop.status, 1);
    EXPECT_TRUE(stop.console.ends_with("\nОШИБКА: в исходном файле длина строки 4 превышает 2048 символов."));
}

}  // namespace
