#include "driver/options.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/console_encoding.hpp"

namespace {

Options parse(std::vector<std::string> line) {
    return parseOptions(line);
}

TEST(Options, AnywhereUntilTheDoubleDash) {
    Options o = parse({"-q", "book.src", "--utf8", "--", "-copy", "--check"});
    EXPECT_EQ(o.mode, Mode::Run);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.encoding, Encoding::Utf8);
    EXPECT_EQ(o.args, (std::vector<std::string>{"book.src", "-copy", "--check"}));
    EXPECT_EQ(o.order, NameOrder::Bytewise);
    EXPECT_EQ(parse({"--check", "book.src"}).mode, Mode::Check);
    EXPECT_EQ(parse({"--lsp"}).mode, Mode::Lsp);
    EXPECT_EQ(parse({"--check", "--lsp"}).mode, Mode::Lsp);
    Options russian = parse({"book.src", "--order=ru", "copy.txt"});
    EXPECT_EQ(russian.mode, Mode::Run);
    EXPECT_EQ(russian.order, NameOrder::Russian);
    EXPECT_EQ(russian.args, (std::vector<std::string>{"book.src", "copy.txt"}));
}

TEST(Options, UnknownOptionsAreRefusedButHelpAndVersionWin) {
    for (std::string odd : {"-", "-x", "--utf-8", "--Check", "---", "--order", "--order=", "--order=RU", "--order=en"}) {
        Options o = parse({"book.src", odd, "copy.txt", "-y"});
        EXPECT_EQ(o.mode, Mode::UnknownOption) << odd;
        EXPECT_EQ(o.unknown, odd);
    }
    EXPECT_EQ(parse({"-x", "-h"}).mode, Mode::Help);
    EXPECT_EQ(parse({"book.src", "--version", "copy.txt"}).mode, Mode::Version);
}

TEST(Options, DirectoriesComposeAndTheConsoleOptionWinsOverTheLocale) {
    Options o = parse({"-C", "books", "book.src", "-Cnew", "--directory=сборник", "copy.txt", "--strict"});
    EXPECT_EQ(o.mode, Mode::Run);
    EXPECT_EQ(o.directory, "books/new/сборник");
    EXPECT_EQ(o.args, (std::vector<std::string>{"book.src", "copy.txt"}));
    EXPECT_TRUE(o.strict);
    EXPECT_EQ(parse({"-C", "a", "-C", "/b"}).directory, "/b");
    EXPECT_EQ(parse({"-C", "-q"}).directory, "-q");  // as make takes it

    EXPECT_EQ(consoleEncoding(parse({"--console=utf8"}), Encoding::Cp1251), Encoding::Utf8);
    EXPECT_EQ(consoleEncoding(parse({"--utf8", "--console=cp1251"}), Encoding::Utf8), Encoding::Cp1251);
    EXPECT_EQ(consoleEncoding(parse({"--utf8"}), Encoding::Cp1251), Encoding::Utf8);
    EXPECT_EQ(consoleEncoding(parse({"book.src"}), Encoding::Utf8), Encoding::Utf8);
}

TEST(Options, ADirectoryOrAConsoleEncodingMissingIsRefused) {
    for (auto line : {std::vector<std::string>{"book.src", "-C"}, {"-C", "", "book.src"}}) {
        Options o = parse(line);
        EXPECT_EQ(o.mode, Mode::UnknownOption);
        EXPECT_EQ(o.fault, OptionFault::NoDirectory);
    }
    for (std::string odd : {"--console=", "--console=UTF-8", "--console=koi8-r", "--console"}) {
        Options o = parse({odd, "--check", "book.src"});
        EXPECT_EQ(o.mode, Mode::UnknownOption) << odd;
        EXPECT_TRUE(o.check) << odd;  // so the answer takes the check's form
    }
}

TEST(ConsoleEncoding, FollowsTheCharacterSetOfTheLocaleName) {
    for (const char* utf8 : {"C.UTF-8", "ru_RU.utf8", "en_US.UTF8@euro", "ru_RU.Utf-8", "UTF-8", "utf8"})
        EXPECT_EQ(consoleEncodingOf(utf8), Encoding::Utf8) << utf8;
    for (const char* other : {"C", "POSIX", "", "ru_RU.CP1251", "ru_RU.KOI8-R", "ru_RU", "ru_RU.UTF-16"})
        EXPECT_EQ(consoleEncodingOf(other), Encoding::Cp1251) << other;
    EXPECT_EQ(consoleEncodingOf(nullptr), Encoding::Cp1251);
}

}  // namespace
