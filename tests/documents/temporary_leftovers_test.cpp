#include "documents/temporary_leftovers.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "documents/safe_file_writer.h"
#include "temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

fs::path temporaryFileOf(const fs::path& target) {
    for (const auto& entry : fs::directory_iterator(target.parent_path())) {
        if (entry.path().filename().string().rfind(target.filename().string() + ".velmora-", 0) == 0) {
            return entry.path();
        }
    }
    return {};
}

// The temporary file a writer in a child process leaves when it is killed
// with -9 in the middle of its write.
fs::path leftoverOfAKilledWriter(const fs::path& target) {
    const pid_t child = ::fork();
    if (child == 0) {
        SafeFileWriter writer(target.string());
        writer.write("half of it");
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return temporaryFileOf(target);
}

TEST(TemporaryLeftoversTest, TheNextWriteIntoTheFolderRemovesOnlyLeftoversOfKilledWriters) {
    TempFolder folder;
    const fs::path outside = folder.path() / "outside.wav.velmora-a1B2c3";  // no leftover: not in the folder
    writeBytes(outside.string(), "theirs");
    fs::create_directory(folder.path() / "export");
    const auto at = [&](const std::string& name) { return folder.path() / "export" / name; };
    SafeFileWriter stillWriting(at("live.wav").string());
    stillWriting.write("being written");
    struct Case {
        fs::path file;
        bool removed;
    };
    std::vector<Case> cases = {
        {leftoverOfAKilledWriter(at("song.wav")), true},
        {temporaryFileOf(at("live.wav")), false},  // its writer is still at work
        {at("old.mid.velmora-Zz09aB"), true},   // unlocked, marked, ours
        {at("song.wav.a1B2c3"), false},         // another program's temporary name
        {at("song.wav.velmora-a1B2"), false},
        {at("song.wav.velmora-a1B2c3.bak"), false},
        {at(".velmora-a1B2c3"), false},
        {at("link.wav.velmora-a1B2c3"), false},  // a link, never followed
        {at("folder.velmora-a1B2c3"), false},
    };
    for (std::size_t i = 2; i < 7; ++i) writeBytes(cases[i].file.string(), "bytes");
    fs::create_symlink(outside, cases[7].file);
    fs::create_directory(cases[8].file);
    if (::geteuid() == 0) {
        cases.push_back({at("other.wav.velmora-a1B2c3"), false});  // another user's
        writeBytes(cases.back().file.string(), "bytes");
        ASSERT_EQ(::chown(cases.back().file.c_str(), 65534, 65534), 0);
    }
    ASSERT_FALSE(cases[0].file.empty()) << "the killed writer left nothing";
    ASSERT_FALSE(cases[1].file.empty());

    writeFileSafely(at("next.wav").string(), "next");

    for (const Case& c : cases) EXPECT_EQ(!fs::exists(fs::symlink_status(c.file)), c.removed) << c.file;
    EXPECT_EQ(readBytes(outside.string()), "theirs");
    stillWriting.commit();
    EXPECT_EQ(readBytes(at("live.wav").string()), "being written");
}

TEST(TemporaryLeftoversTest, TheNextStartRemovesTheLeftoversItsJournalNames) {
    TempFolder folder;
    const fs::path journal = folder.path() / "journal";
    TemporaryFileJournal::use(journal);
    const fs::path leftover = leftoverOfAKilledWriter(folder.path() / "song.wav");
    fs::create_directory(folder.path() / "elsewhere");  // a write into the folder itself would clean it
    SafeFileWriter stillWriting(folder.file("elsewhere/live.wav"));
    ASSERT_TRUE(fs::exists(leftover));
    ASSERT_EQ(entryCount(journal), 2);

    EXPECT_EQ(TemporaryFileJournal::removeLeftovers(), 1);
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_EQ(entryCount(journal), 1);  // the live writer's note stays
    stillWriting.commit();
    EXPECT_EQ(entryCount(journal), 0);
    TemporaryFileJournal::use({});
}

}  // namespace
}  // namespace velmora
