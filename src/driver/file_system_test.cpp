#include "driver/file_system.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "temp_dir.hpp"

namespace fs = std::filesystem;

namespace {

TEST(CanCreate, AnswersWhatCreatingTheFileWouldMeet) {
    TempDir dir("can-create");
    writeFile(dir.path / "plain", "x");
    fs::create_directory(dir.path / "folder");
    fs::create_symlink("plain", dir.path / "to-plain");
    fs::create_symlink("nowhere", dir.path / "dangling");
    fs::create_symlink("folder", dir.path / "to-folder");
    fs::create_symlink("loop", dir.path / "loop");
    ASSERT_EQ(mkfifo((dir.path / "fifo").c_str(), 0600), 0);
    // A link is replaced, not followed: one to a file or to nowhere will do.
    for (std::string name : {"new.txt", "plain", "to-plain", "dangling", "folder/new.txt"})
        EXPECT_TRUE(canCreate(dir.path / name)) << name;
    const std::string tooLong(300, 'n');
    for (const std::string& name :
         {std::string("new.txt/"), std::string("plain/new.txt"), std::string("missing/new.txt"), std::string("folder"),
          std::string("to-folder"), std::string("loop"), std::string("fifo"), tooLong})
        EXPECT_FALSE(canCreate(dir.path / name)) << name;
    EXPECT_FALSE(canCreate("/dev/null"));
}

TEST(IsSpecialFile, OnlyWhatReadingCouldWaitOn) {
    TempDir dir("special-file");
    writeFile(dir.path / "plain", "x");
    ASSERT_EQ(mkfifo((dir.path / "fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir.path / "to-fifo");
    EXPECT_TRUE(isSpecialFile(dir.path / "fifo"));
    EXPECT_TRUE(isSpecialFile(dir.path / "to-fifo"));
    EXPECT_FALSE(isSpecialFile(dir.path / "plain"));
    EXPECT_FALSE(isSpecialFile(dir.path));
    EXPECT_FALSE(isSpecialFile(dir.path / "missing"));
}

}  // namespace
