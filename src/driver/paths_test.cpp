#include "driver/paths.hpp"

#include <gtest/gtest.h>

#include "temp_dir.hpp"
#include "text/cp1251.hpp"

namespace fs = std::filesystem;

namespace {

TEST(Utf16, NamesGoToUtf8AndBackWhole) {
    EXPECT_EQ(utf8FromUtf16(u"Задачи 2024.src"), "Задачи 2024.src");
    EXPECT_EQ(utf8FromUtf16(u"日本 😀"), "日本 😀");
    // Lone surrogates, which Windows lets a name hold, in either order.
    const std::u16string lone = {u'a', 0xD800, u'b', 0xDC00, 0xD83D};
    EXPECT_EQ(utf8FromUtf16(lone), "a\xED\xA0\x80" "b\xED\xB0\x80\xED\xA0\xBD");
    for (const std::u16string& name : {lone, std::u16string(u"Ёлка 😀.txt"), std::u16string()})
        EXPECT_EQ(utf16FromUtf8(utf8FromUtf16(name)), name);
}

TEST(Utf16, BytesThatStartNoCharacterBecomeReplacements) {
    EXPECT_EQ(utf16FromUtf8("a\xFF" "b"), u"a\uFFFD" "b");
    EXPECT_EQ(utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");        // overlong "/"
    EXPECT_EQ(utf16FromUtf8("\xD0"), u"\uFFFD");                  // cut at the end
    EXPECT_EQ(utf16FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // beyond U+10FFFF
}

TEST(ShownName, Utf8NamesShowInCodePage1251WithQuestionMarks) {
    EXPECT_EQ(shownName("Ёлка 日本.txt", Encoding::Utf8), cp1251("Ёлка ??.txt").view());
    EXPECT_EQ(shownName("😀\xFF.src", Encoding::Utf8), "??.src");
#ifndef _WIN32
    // A code page 1251 run elsewhere than on Windows shows the bytes it was given.
    EXPECT_EQ(shownName("Ёлка\xFF", Encoding::Cp1251), "Ёлка\xFF");
#endif
}

TEST(SamePath, ExistingFilesCompareAsFiles) {
    TempDir dir("same-path-files");
    writeFile(dir.path / "source.src", "#!\n");
    writeFile(dir.path / "other.src", "#!\n");
    fs::create_directory(dir.path / "sub");
    fs::create_symlink(dir.path / "source.src", dir.path / "sub" / "link.src");
    EXPECT_TRUE(samePath(dir.path / "source.src", dir.path / "sub/../././source.src"));
    EXPECT_TRUE(samePath(dir.path / "sub/link.src", dir.path / "source.src"));
    EXPECT_TRUE(samePath(dir.path / "sub/", dir.path / "sub"));
    // A hard link resolves to a name of its own: only the file's identity tells.
    fs::create_hard_link(dir.path / "source.src", dir.path / "sub" / "hard.src");
    EXPECT_TRUE(samePath(dir.path / "sub/hard.src", dir.path / "source.src"));
    EXPECT_FALSE(samePath(dir.path / "source.src", dir.path / "other.src"));
    EXPECT_FALSE(samePath(dir.path / "source.src", dir.path / "sub/source.src"));
}

TEST(SamePath, FilesNotMadeYetCompareByPlace) {
    TempDir dir("same-path-places");
    fs::create_directory(dir.path / "sub");
    fs::create_symlink(dir.path / "sub", dir.path / "alias");
    EXPECT_TRUE(samePath(dir.path / "new/dir/../copy.txt", dir.path / "new/./copy.txt"));
    EXPECT_TRUE(samePath(dir.path / "alias/copy.txt", dir.path / "sub/copy.txt"));
    EXPECT_FALSE(samePath(dir.path / "sub/copy.txt", dir.path / "copy.txt"));
    EXPECT_FALSE(samePath(dir.path / "copy.txt", dir.path / "copy.tex"));
#ifndef _WIN32
    EXPECT_FALSE(samePath(dir.path / "copy.txt", dir.path / "Copy.txt"));
#endif
}

}  // namespace
