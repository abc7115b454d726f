#include "documents/safe_file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "documents/file_error.h"
#include "documents/process_signals.h"
#include "temp_folder.h"

namespace velmora {
namespace {

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

std::string detailOfFailure(const std::function<void()>& write) {
    try {
        write();
    } catch (const FileError& error) {
        return error.detail().empty() ? "(no detail)" : error.detail();
    }
    return {};
}

TEST(SafeFileWriterTest, StreamsPiecesAndShowsNothingBeforeCommit) {
    TempFolder folder;
    const std::string target = folder.file("out.mid");
    writeBytes(target, "old");
    SafeFileWriter writer(target);
    EXPECT_TRUE(writer.replacesTarget());
    writer.write("new ");
    writer.write(std::string("data\0", 5));
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(entryCount(folder.path()), 2);  // the target and the temporary file
    writer.commit();
    EXPECT_EQ(readBytes(target), std::string("new data\0", 9));
    EXPECT_EQ(entryCount(folder.path()), 1);
}

TEST(SafeFileWriterTest, AbandonAndDestructorLeaveTheTargetAndNoTemporaryFile) {
    TempFolder folder;
    const std::string target = folder.file("out.mid");
    writeBytes(target, "old");
    {
        SafeFileWriter writer(target);
        writer.write("half");
    }
    SafeFileWriter writer(target);
    writer.write("half");
    writer.abandon();
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(entryCount(folder.path()), 1);
}

TEST(SafeFileWriterTest, KeepsModeAndOwnerOfTheReplacedFile) {
    TempFolder folder;
    const std::string target = folder.file("shared.txt");
    writeBytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), 1234, 5678), 0);
    }
    const struct stat before = statOf(target);
    writeFileSafely(target, "new");
    const struct stat after = statOf(target);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino);  // replaced, not rewritten in place
}

TEST(SafeFileWriterTest, DanglingLinkCreatesItsTargetAndStaysALink) {
    TempFolder folder;
    const std::string link = folder.file("link.mid");
    ASSERT_EQ(::mkdir(folder.file("sub").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("sub/real.mid", link.c_str()), 0);
    writeFileSafely(link, "made");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(folder.file("sub/real.mid")), "made");
}

TEST(SafeFileWriterTest, RefusesFilesItMayNotReplaceAndLeavesThem) {
    TempFolder folder;
    const std::string hardLinked = folder.file("a.txt");
    writeBytes(hardLinked, "old");
    ASSERT_EQ(::link(hardLinked.c_str(), folder.file("b.txt").c_str()), 0);
    EXPECT_NE(detailOfFailure([&] { writeFileSafely(hardLinked, "new"); }), "");
    EXPECT_EQ(readBytes(folder.file("b.txt")), "old");

    ASSERT_EQ(::mkdir(folder.file("dir").c_str(), 0700), 0);
    EXPECT_NE(detailOfFailure([&] { writeFileSafely(folder.file("dir"), "new"); }), "");
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("dir")));
    EXPECT_EQ(entryCount(folder.path()), 3);
}

TEST(SafeFileWriterTest, RefusesAReadOnlyFileAndLeavesIt) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser may open a read-only file for writing";
    TempFolder folder;
    const std::string readOnly = folder.file("ro.txt");
    writeBytes(readOnly, "kept");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_NE(detailOfFailure([&] { writeFileSafely(readOnly, "new"); }), "");
    EXPECT_EQ(readBytes(readOnly), "kept");
}

TEST(SafeFileWriterTest, LongNameKeepsTheTemporaryNameWithinTheLimit) {
    TempFolder folder;
    const std::string target = folder.file(std::string(250, 'n') + ".mid");
    SafeFileWriter writer(target);
    writer.write("long");
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_LE(entry.path().filename().string().size(), 255u);
    }
    writer.commit();
    EXPECT_EQ(readBytes(target), "long");
}

TEST(SafeFileWriterTest, FifoIsWrittenDirectlyAndOneWithoutReaderFailsAtOnce) {
    TempFolder folder;
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_NE(detailOfFailure([&] { writeFileSafely(fifo, "x"); }), "");

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    writeFileSafely(fifo, "through");
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    EXPECT_EQ(std::string(buffer), "through");
    ::close(reader);
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// Nodes like the system's /dev/null and /dev/full, made in the temporary folder.
TEST(SafeFileWriterTest, CharacterDevicesAreWrittenNotReplaced) {
    if (::geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
    TempFolder folder;
    const std::string null = folder.file("null");
    const std::string full = folder.file("full");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "this file system does not allow device nodes";
    }
    writeFileSafely(null, "discarded");
    EXPECT_TRUE(S_ISCHR(statOf(null).st_mode));
    EXPECT_NE(detailOfFailure([&] { writeFileSafely(full, "no room"); }).find("No space left"), std::string::npos);
    EXPECT_TRUE(S_ISCHR(statOf(full).st_mode));
    EXPECT_EQ(entryCount(folder.path()), 2);
}

// Runs `body` in a child process and returns how it ended (wait status).
int inChild(const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST(SafeFileWriterTest, SignalsDuringTheWriteRemoveTheTemporaryFile) {
    for (int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        TempFolder folder;
        const std::string target = folder.file("out.mid");
        writeBytes(target, "old");
        const int status = inChild([&] {
            ProcessSignals::install();
            { const ProcessSignals::Interruptible finishedWork; }  // its end keeps the clean-up in place
            SafeFileWriter writer(target);
            writer.write("part");
            ::kill(::getpid(), number);
            writer.write("never");
        });
        ASSERT_TRUE(WIFSIGNALED(status)) << number;
        EXPECT_EQ(WTERMSIG(status), number);
        EXPECT_EQ(entryCount(folder.path()), 1) << "signal " << number;
        EXPECT_EQ(readBytes(target), "old");
    }
}

// A run under nohup: the hang-up it ignored is still ignored, and the file is written whole.
TEST(SafeFileWriterTest, ASignalIgnoredBeforeInstallStaysIgnored) {
    TempFolder folder;
    const std::string target = folder.file("out.mid");
    const int status = inChild([&] {
        ::signal(SIGHUP, SIG_IGN);
        ProcessSignals::install();
        SafeFileWriter writer(target);
        writer.write("part ");
        ::kill(::getpid(), SIGHUP);
        writer.write("and the rest");
        writer.commit();
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(readBytes(target), "part and the rest");
}

// Writing from a worker thread leaves the process's umask alone and gives a
// new file the mode the umask allows.
TEST(SafeFileWriterTest, ANewFileFollowsTheUmaskWhichStaysAsItWas) {
    TempFolder folder;
    const std::string target = folder.file("new.mid");
    const mode_t saved = ::umask(027);
    std::thread([&] { writeFileSafely(target, "music"); }).join();
    const mode_t during = ::umask(saved);
    EXPECT_EQ(during, 027u);
    EXPECT_EQ(statOf(target).st_mode & 0777, 0640u);
}

// Under the signal owner a file-size limit is a write error (EFBIG), not a death by SIGXFSZ.
TEST(SafeFileWriterTest, FileSizeLimitIsAWriteErrorThatRemovesTheTemporaryFile) {
    TempFolder folder;
    const std::string target = folder.file("out.mid");
    const int status = inChild([&] {
        ProcessSignals::install();
        const rlimit limit{16 * 1024, 16 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            SafeFileWriter writer(target);
            writer.write(std::string(64 * 1024, 'x'));
            writer.commit();
        } catch (const FileError& error) {
            ::_exit(error.systemError() == EFBIG && error.detail() == "File too large" ? 3 : 4);
        }
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(entryCount(folder.path()), 0);
}

}  // namespace
}  // namespace velmora
