#include "documents/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "documents/file_error.h"
#include "documents/file_read.h"
#include "temp_folder.h"

namespace velmora {
namespace {

TEST(AtomicFileTest, CreatesAndReplacesFiles) {
    TempFolder folder;
    const std::string target = folder.file("out.bin");
    writeFileAtomically(target, std::string("one\0two", 7));
    EXPECT_EQ(readBytes(target), std::string("one\0two", 7));
    writeFileAtomically(target, "second");
    EXPECT_EQ(readBytes(target), "second");
    EXPECT_EQ(entryCount(folder.path()), 1);
}

TEST(AtomicFileTest, KeepsThePermissionsOfTheReplacedFile) {
    TempFolder folder;
    const std::string target = folder.file("shared.txt");
    writeBytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    writeFileAtomically(target, "new");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(AtomicFileTest, WritesThroughASymbolicLink) {
    TempFolder folder;
    const std::string real = folder.file("real.txt");
    const std::string link = folder.file("link.txt");
    writeBytes(real, "old");
    std::filesystem::create_symlink(real, link);
    writeFileAtomically(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(real), "new");
}

TEST(AtomicFileTest, FolderInTheWayLeavesItAndNoTemporaryFile) {
    TempFolder folder;
    const std::string target = folder.file("taken");
    std::filesystem::create_directory(target);
    writeBytes(folder.file("taken/inside.txt"), "kept");
    try {
        writeFileAtomically(target, "data");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル " + target + " を作成できません");
        EXPECT_EQ(error.path(), target);
        EXPECT_FALSE(error.detail().empty());
    }
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(readBytes(folder.file("taken/inside.txt")), "kept");
    EXPECT_EQ(entryCount(folder.path()), 1);
}

TEST(AtomicFileTest, MissingFolderIsAnError) {
    TempFolder folder;
    EXPECT_THROW(writeFileAtomically(folder.file("no/such/file.txt"), "data"), FileError);
    EXPECT_EQ(entryCount(folder.path()), 0);
}

TEST(AtomicFileTest, ReadOnlyFolderLeavesTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    TempFolder folder;
    const std::string target = folder.file("old.txt");
    writeBytes(target, "old");
    ASSERT_EQ(::chmod(folder.path().c_str(), 0500), 0);
    EXPECT_THROW(writeFileAtomically(target, "new"), FileError);
    ::chmod(folder.path().c_str(), 0700);
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(entryCount(folder.path()), 1);
}

TEST(FileReadTest, ReadsBytesAndRefusesFoldersAndMissingFiles) {
    TempFolder folder;
    writeBytes(folder.file("a.txt"), std::string("x\0y", 3));
    EXPECT_EQ(readFileBytes(folder.file("a.txt")), std::string("x\0y", 3));
    const std::string missing = folder.file("missing.txt");
    try {
        readFileBytes(missing);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル " + missing + " は開けません");
    }
    EXPECT_THROW(readFileBytes(folder.path().string()), FileError);
}

}  // namespace
}  // namespace velmora
