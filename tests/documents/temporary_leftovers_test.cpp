#include "documents/temporary_leftovers.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "documents/safe_file_writer.h"
#include "temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

fs::path temporaryFileOf(const fs::path& target) {
    for (const auto& entry : fs::directory_iterator(target.parent_path())) {
        if (entry.path().filename().string().rfind(target.filename().string() + ".velmora-", 0) == 0) return entry;
    }
    return {};
}

// What a writer in a child process leaves when it is killed with -9 mid-write.
fs::path leftoverOfAKilledWriter(const fs::path& target) {
    if (const pid_t child = ::fork(); child == 0) {
        SafeFileWriter writer(target.string());
        writer.write("half of it");
        ::kill(::getpid(), SIGKILL);
    } else {
        ::waitpid(child, nullptr, 0);
    }
    return temporaryFileOf(target);
}

TEST(TemporaryLeftoversTest, TheNextWriteIntoTheFolderRemovesOnlyLeftoversOfKilledWriters) {
    TempFolder folder;
    const auto at = [&](const std::string& name) { return folder.path() / name; };
    const fs::path linked = at("linked.txt");
    writeBytes(linked.string(), "theirs");
    SafeFileWriter stillWriting(at("live.wav").string());
    stillWriting.write("being written");
    std::vector<std::pair<fs::path, bool>> removed = {
        {leftoverOfAKilledWriter(at("song.wav")), true},
        {temporaryFileOf(at("live.wav")), false},
        {at("old.mid.velmora-Zz09aB"), true},  // unlocked, marked, this user's
        {at("song.wav.a1B2c3"), false},        // another program's temporary name
        {at("song.wav.velmora-a1B2"), false},
        {at("song.wav.velmora-a1B2c3.bak"), false},
        {at(".velmora-a1B2c3"), false},
        {at("link.wav.velmora-a1B2c3"), false},  // a link, never followed
        {at("folder.velmora-a1B2c3"), false},
        {at("pipe.wav.velmora-a1B2c3"), false},
    };
    ASSERT_FALSE(removed[0].first.empty() || removed[1].first.empty());
    for (std::size_t i = 2; i < 7; ++i) writeBytes(removed[i].first.string(), "bytes");
    fs::create_symlink(linked, removed[7].first);
    fs::create_directory(removed[8].first);
    ASSERT_EQ(::mkfifo(removed[9].first.c_str(), 0600), 0);
    if (::geteuid() == 0) {
        removed.push_back({at("other.wav.velmora-a1B2c3"), false});  // another user's
        writeBytes(removed.back().first.string(), "bytes");
        ASSERT_EQ(::chown(removed.back().first.c_str(), 65534, 65534), 0);
    }

    writeFileSafely(at("next.wav").string(), "next");

    for (const auto& [file, gone] : removed) EXPECT_EQ(!fs::exists(fs::symlink_status(file)), gone) << file;
    EXPECT_EQ(readBytes(linked.string()), "theirs");
    stillWriting.commit();
    EXPECT_EQ(readBytes(at("live.wav").string()), "being written");
}

TEST(TemporaryLeftoversTest, TheNextStartRemovesTheLeftoversItsJournalNames) {
    TempFolder folder;
    const fs::path journal = folder.path() / "journal";
    TemporaryFileJournal::use(journal);
    const fs::path leftover = leftoverOfAKilledWriter(folder.path() / "song.wav");
    fs::create_directory(folder.path() / "elsewhere");  // a write into the same folder would remove it
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
