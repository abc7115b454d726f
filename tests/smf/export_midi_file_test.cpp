#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "documents/file_error.h"
#include "export_fixtures.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::requestFor;

const std::vector<std::string> kText = {"SING A SONG OF SIXPENCE,", "A POCKET FULL OF RYE."};

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class MidiExport : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velmora-smf-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }

    // The message of the ExportError that the export throws, or "" when it succeeds.
    std::string exportError(const fs::path& target, const ExportRequest& request) {
        SeededRandom rng(3);
        try {
            exportMidiFile(target, request, rng);
        } catch (const ExportError& error) {
            return error.what();
        } catch (const FileError& error) {
            return error.englishWithDetail();
        }
        return "";
    }

    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(MidiExport, SavedFileIsTheBuiltFile) {
    const fs::path target = folder_ / "song.mid";
    SeededRandom buildRng(5);
    const Bytes built = buildMidiFile(requestFor(kText), buildRng);

    SeededRandom exportRng(5);
    exportMidiFile(target, requestFor(kText), exportRng);
    EXPECT_EQ(readFile(target), built);
}

TEST_F(MidiExport, ExistingFileIsReplaced) {
    const fs::path target = folder_ / "song.mid";
    writeFile(target, "an older file, much longer than nothing at all");
    EXPECT_EQ(exportError(target, requestFor(kText)), "");

    const Bytes saved = readFile(target);
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 4), (Bytes{'M', 'T', 'h', 'd'}));
    EXPECT_EQ(entriesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(MidiExport, EmptyTextLeavesAnExistingFileAlone) {
    const fs::path target = folder_ / "song.mid";
    writeFile(target, "keep me");
    EXPECT_EQ(exportError(target, requestFor({})), kEmptyTextMessage);
    EXPECT_EQ(readFile(target), (Bytes{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
}

TEST_F(MidiExport, MissingFolderIsReportedWithThePath) {
    const fs::path target = folder_ / "no such folder" / "song.mid";
    const std::string message = exportError(target, requestFor(kText));
    EXPECT_EQ(message.rfind("cannot write " + target.string() + ": ", 0), 0u) << message;
    EXPECT_GT(message.size(), ("cannot write " + target.string() + ": ").size()) << "no reason given";
    EXPECT_FALSE(fs::exists(target));

    // The window shows its own text for the same failure.
    SeededRandom rng(3);
    try {
        exportMidiFile(target, requestFor(kText), rng);
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル " + target.string() + " を作成できません");
    }
}

TEST_F(MidiExport, TargetThatCannotBeReplacedStaysAsItWas) {
    // A folder in the target's place: the new file is written but cannot take its name.
    const fs::path target = folder_ / "song.mid";
    fs::create_directory(target);
    writeFile(target / "inside.txt", "untouched");

    EXPECT_NE(exportError(target, requestFor(kText)), "");
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(readFile(target / "inside.txt"), (Bytes{'u', 'n', 't', 'o', 'u', 'c', 'h', 'e', 'd'}));
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(MidiExport, ReadOnlyFolderKeepsTheOldFile) {
    const fs::path target = folder_ / "song.mid";
    writeFile(target, "old");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    if (access(folder_.c_str(), W_OK) == 0) GTEST_SKIP() << "permissions do not bind this user (root)";

    const std::string message = exportError(target, requestFor(kText));
    EXPECT_EQ(message.rfind("cannot write ", 0), 0u) << message;
    EXPECT_EQ(readFile(target), (Bytes{'o', 'l', 'd'}));
}

}  // namespace
}  // namespace velmora
