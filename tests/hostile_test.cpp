// Runs on sources, templates and directories that an editor's day can bring:
// every case ends with the exact message and status it should, never crashes
// or hangs, and leaves alone every file it was not meant to write.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.hpp"
#include "text/cp1251.hpp"

namespace fs = std::filesystem;

namespace {

const std::string kBanner(cp1251("\nПрограмма для построения индекса к книжке \"Квиртала\"\n"));
const std::string kSentinel = "the editors' own file\n";

std::string cp(std::string_view text) {
    return std::string(text);
}

// A directory with a source and a file of the editors' that no run may touch.
struct Book {
    TempDir dir;
    explicit Book(const std::string& name, const std::string& source) : dir(name) {
        writeFile(dir.path / "source.src", source);
        writeFile(dir.path / "book.tex", kSentinel);
    }
    RunResult run(std::vector<std::string> args = {"source.src", "copy.txt"}) const { return runIn(dir.path, args); }
    std::string file(const std::string& name) const { return readFile(dir.path / name); }
    bool exists(const std::string& name) const { return fs::exists(dir.path / name); }
    ~Book() { EXPECT_EQ(readFile(dir.path / "book.tex"), kSentinel); }
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void expectAllRunFilesEmpty(const Book& book) {
    for (const std::string& name : kRunFiles) {
        EXPECT_TRUE(book.exists(name)) << name;
        EXPECT_EQ(book.file(name), "") << name;
    }
}

TEST(HostileSource, BinaryGarbageBeforeAnyMarkerStopsAtItsFirstLine) {
    std::string garbage("\x01\x02\xFF\xFE\x7F", 5);
    Book book("garbage", "\n" + garbage + "  \xC0//x\n#!\n0/1\n");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.console, kBanner + cp(cp1251("\nОШИБКА в исходном файле в строке 2:\n")) + garbage + " \xC0\n");
    EXPECT_EQ(book.file("copy.txt"), garbage + " \xC0\n");
    expectAllRunFilesEmpty(book);
}

TEST(HostileSource, BinaryGarbageInsideSectionsIsRejectedLineByLine) {
    Book book("garbage-sections", "#!\n\x01\x02 \xFF\n0/1\n#/0\n\xFE\x80 7\n\xFE\x80 -- 1\n");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nОШИБКА формата, строка 2\n"))));
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nОШИБКА формата, строка 5\n"))));
    EXPECT_TRUE(contains(book.file("polnyj_indeksal.tex"), "{2} \xFE\x80 \\x \\z{1} \\par\n"));
}

TEST(HostileSource, ZeroBytesCutTheLineLikeALineEnd) {
    Book book("zero-bytes", std::string("#!\n0/1\0 junk\n\0only junk\n0/2\n", 29));
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(book.file("copy.txt"), "#!\n0/1\n0/2\n#!\n0/1\n0/2\n#!\n0/1\n0/2\n");
    EXPECT_TRUE(contains(r.console, "1: [0/1]\n1: [0/2]\n"));
}

TEST(HostileSource, LineLengthsAroundTheLimit) {
    struct Case {
        std::string last;  // the source's last line, after "#!\n0/1\n"
        int status;
    } cases[] = {
        {"0/2" + std::string(2044, ' ') + "\n", 0},   // 2047 characters and the line feed
        {"0/2" + std::string(2045, ' ') + "\n", 1},   // 2048 and the line feed
        {"0/2" + std::string(2045, ' '), 0},          // 2048 at the end of the file
        {"0/2" + std::string(2046, ' '), 1},          // 2049 at the end of the file
        {"0/2" + std::string(2044, ' ') + "\r\n", 0}, // a carriage return before the line feed does not count
    };
    for (const Case& c : cases) {
        Book book("line-limit", "#!\n0/1\n" + c.last);
        RunResult r = book.run();
        EXPECT_EQ(r.status, c.status) << c.last.size();
        bool stopped = contains(r.console, cp(cp1251("\nОШИБКА: в исходном файле длина строки 3 превышает 2048 символов.")));
        EXPECT_EQ(stopped, c.status == 1) << c.last.size();
        if (c.status == 0) {
            EXPECT_EQ(book.file("copy.txt"), "#!\n0/1\n0/2\n#!\n0/1\n0/2\n#!\n0/1\n0/2\n");
        }
    }
}

TEST(HostileSource, ElementNamesAsLongAsALineCanBe) {
    std::string name(2045, 'n');
    Book book("long-name", "#!\n0/1\n#/0\n" + name + " --");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(book.file("polnyj_indeksal.tex"), "\\element   {2} " + name + " \\x  \\par\n"));

    // Without numbers a whole last line of 2048 characters is the name.
    std::string whole(2048, 'w');
    Book unnumbered("long-name-unnumbered", "#!\n0/1\n#/-\n" + whole);
    RunResult u = unnumbered.run();
    EXPECT_EQ(u.status, 0);
    EXPECT_TRUE(contains(unnumbered.file("polnyj_indeksal.tex"), "\\element   {2} " + whole + " \\x  \\par\n"));
}

TEST(HostileSource, CarriageReturnLineEndsMakeOneLineCutAtTheFirst) {
    Book book("cr-only", "#!\r0/1\r0/2\r");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(book.file("copy.txt"), "#!\n#!\n#!\n");
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nПрочитано 1 строк.\nЗаписей о задачах               0."))));
}

TEST(HostileSource, TwoHundredThousandLinesRunInReasonableTime) {
    std::string source = "#!\n";
    for (int n = 1; n <= 9999; ++n) source += "0/" + std::to_string(n) + " 1/" + std::to_string(n) + "\n";
    for (int i = 0; i < 90001; ++i) source += "2/1\n";
    source += "#/1\n";
    for (int i = 0; i < 99998; ++i) source += "e" + std::to_string(i % 500) + " -- " + std::to_string(i % 9999 + 1) + "\n";
    Book book("large", source);
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nПрочитано 200000 строк."))));
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nПрочитано 99998 позиций\n"))));
}

TEST(HostileSource, OneHeadingOnFiftyThousandLinesMergesInReasonableTime) {
    // Every writer walks the merged element's 50,000 references, stars included.
    std::string source = "#!\n";
    for (int n = 1; n <= 999; ++n) source += "0/" + std::to_string(n) + "\n";
    source += "#/0\n";
    const std::string heading(cp1251("=источник задачи: 1-1-Н-0 -- "));
    for (int i = 0; i < 50000; ++i) source += heading + std::to_string(i % 999 + 1) + "*\n";
    Book book("one-heading", source);
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(book.file("po_olimpiadam.tex"), "\\zz{999} \\par\n"));
}

TEST(HostileSource, TenThousandReferencesOnOneLineExceedTheLimit) {
    std::string line = "e --";
    for (int i = 0; i < 10000; ++i) line += " 1,";
    Book book("many-refs", "#!\n0/1\n#/0\n" + line + "\n");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nОШИБКА: в исходном файле длина строки 4 превышает 2048 символов."))));
}

TEST(HostileSource, TheHundredAndSecondSourceFindsNoRoom) {
    std::string source = "#!\n0/1\n";
    for (int s = 0; s <= 101; ++s) source += "#/" + std::to_string(s) + "\n! S" + std::to_string(s) + "\n";
    Book book("sources", source);
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    std::string noRoom = cp(cp1251("\nОШИБКА: недостаточно места в таблице источников\n"));
    EXPECT_EQ(r.console.find(noRoom), r.console.rfind(noRoom));
    EXPECT_TRUE(contains(r.console, "\n100/S100/\n"));
    EXPECT_FALSE(contains(r.console, "101/S101/"));
    EXPECT_TRUE(book.file("tabl_po_nomeram.tex").ends_with("\n\n[S100] "));
}

TEST(HostileSource, NumbersAtEveryLimit) {
    Book book("limits",
              "#!\n9999/9999.9999 0/1\n10000/1\n1/12345\n#/2147483647\n! big\n#/9999\n"
              "a -- 9999.999\nb -- 10000\nc -- 9999.1000\n");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nОШИБКА формата, строка 3\n"))));
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nОШИБКА формата, строка 4\n"))));
    EXPECT_TRUE(contains(r.console, cp(cp1251("\n[<!>9999/9999]\nОШИБКА формата, строка 8\n"))));  // no 9999/9999.999
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nОШИБКА формата, строка 9\n"))));
    EXPECT_TRUE(contains(r.console, cp(cp1251("\nОШИБКА формата, строка 10\n"))));
    EXPECT_TRUE(contains(r.console, "2: [9999/9999.9999] [0/1]\n"));
    EXPECT_TRUE(contains(r.console, "\n2147483647/big/\n"));

    Book broken("limits-broken", "#!\n0/1\n#/2147483648\n");
    RunResult stop = broken.run();
    EXPECT_EQ(stop.status, 1);
    EXPECT_TRUE(stop.console.ends_with(cp(cp1251("\nОШИБКА в исходном файле в строке 3:\n#/2147483648\n"))));
}

TEST(HostileSource, NamesMadeOnlyOfQuotationPairsMergeAsEmptyNames) {
    Book book("pairs", "#!\n0/1\n0/2\n#/0\n<<<< -- 1\n>> -- 2\n-- 1\n<<>>>><< --\n");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(book.file("log4.log"), "<<<<\n>>\n\n<<>>>><<\n");
    EXPECT_TRUE(contains(book.file("polnyj_indeksal.tex"), "\\element   {2} <<<< \\x \\z{1}, \\z{2} \\par\n"));
}

TEST(HostileTemplate, LongLineStopsAndEarlierLinesStay) {
    Book book("template-long", "#!\n0/1\n");
    writeFile(book.dir.path / "indeksal_yazykov.tex.template", "first\n" + std::string(2049, 't'));
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.console.ends_with(
        cp(cp1251("\nОШИБКА: в файле indeksal_yazykov.tex.template длина строки 2 превышает 2048 символов."))));
    EXPECT_EQ(book.file("indeksal_yazykov.tex"), "first\n");
    EXPECT_EQ(book.file("po_olimpiadam.tex"), "");
}

TEST(HostileTemplate, ADirectoryIsNoTemplate) {
    Book book("template-dir", "#!\n0/1\n");
    fs::create_directory(book.dir.path / "indeksal_yazykov.tex.template");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(book.exists("indeksal_yazykov.tex"));
    EXPECT_FALSE(contains(r.console, cp(cp1251("ОШИБКА"))));
}

TEST(HostileTemplate, AFifoIsRefusedByARunAndACheckWithoutWaiting) {
    Book book("template-fifo", "#!\n0/1\n");
    ASSERT_EQ(mkfifo((book.dir.path / "indeksal_yazykov.tex.template").c_str(), 0600), 0);
    const std::string message(cp1251("\nОШИБКА: файл indeksal_yazykov.tex.template не является обычным файлом\n"));
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.console, kBanner + message);
    EXPECT_FALSE(book.exists("copy.txt"));
    for (const std::string& name : kRunFiles) EXPECT_FALSE(book.exists(name)) << name;
    RunResult check = book.run({"--check", "source.src"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.console, message);
}

TEST(HostileDirectory, AnOutputThatIsADirectoryStopsBeforeTheBanner) {
    Book book("output-dir", "#!\n0/1\n");
    fs::create_directory(book.dir.path / "po_jazykam.tex");
    writeFile(book.dir.path / "po_jazykam.tex" / "inside", kSentinel);
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.console, cp(cp1251("\nОШИБКА: файл po_jazykam.tex недоступен\n")));
    EXPECT_EQ(book.file("po_jazykam.tex/inside"), kSentinel);
    EXPECT_FALSE(book.exists("log1.log"));
    EXPECT_FALSE(book.exists("copy.txt"));
}

TEST(HostileDirectory, OutputsLinkedToADeviceAreRefusedBeforeTheBanner) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    Book book("output-full", "#!\n0/1\n");
    fs::create_symlink("/dev/full", book.dir.path / "tabl_po_nomeram.tex");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.console, cp(cp1251("\nОШИБКА: файл tabl_po_nomeram.tex недоступен\n")));
    EXPECT_TRUE(fs::is_symlink(book.dir.path / "tabl_po_nomeram.tex"));
    RunResult copy = book.run({"source.src", "/dev/full"});
    EXPECT_EQ(copy.status, 1);
}

TEST(HostileDirectory, ACopyThatIsTheSourceUnderAnotherNameIsRefused) {
    std::string source = "#!\n0/1\n";
    Book book("copy-link", source);
    fs::create_symlink("source.src", book.dir.path / "copy.txt");
    RunResult r = book.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.console, kBanner + cp(cp1251("\nОШИБКА: файл copy.txt [2] совпадает с исходным файлом\n")));
    EXPECT_EQ(book.file("source.src"), source);
    RunResult same = book.run({"source.src", "source.src"});
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(book.file("source.src"), source);
}

TEST(HostileDirectory, SourcesThatCannotBeRead) {
    Book book("unreadable", "#!\n0/1\n");
    fs::create_directory(book.dir.path / "folder");
    fs::create_symlink("nowhere.src", book.dir.path / "dangling.src");
    writeFile(book.dir.path / "plain", "x");
    for (std::string source : {"folder", "dangling.src", "plain/source.src", "missing.src"}) {
        RunResult r = book.run({source, "copy.txt"});
        EXPECT_EQ(r.status, 1) << source;
        EXPECT_EQ(r.console, kBanner + cp(cp1251("\nОШИБКА: файл ")) + source + cp(cp1251(" [1] недоступен\n")))
            << source;
        EXPECT_FALSE(book.exists("copy.txt")) << source;
        for (const std::string& name : kRunFiles) EXPECT_FALSE(book.exists(name)) << name;
    }
    if (geteuid() != 0) {  // permissions do not bind root
        fs::permissions(book.dir.path / "source.src", fs::perms::none);
        RunResult r = book.run();
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(contains(r.console, cp(cp1251(" [1] недоступен\n"))));
    }
    RunResult copyInFolder = book.run({"source.src", "folder"});
    EXPECT_EQ(copyInFolder.status, 1);
    EXPECT_EQ(copyInFolder.console, kBanner + cp(cp1251("\nОШИБКА: файл folder [2] недоступен\n")));
}

}  // namespace
