// velmora-cli score, and export's lyrics: formats by extension, the same seed
// the same score, PDF through LilyPond or a clear word about installing it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "cli_process.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

bool lilyPondOnPath() {
    return std::system("command -v musicxml2ly >/dev/null && command -v lilypond >/dev/null") == 0;
}

class ScoreCommandTest : public ::testing::Test {
protected:
    TempFolder folder;
    // Katakana カ (83 4A) sounds by its second byte in the first pattern.
    fs::path text = folder.write("story.txt", "Hello world\r\n\x83\x4A\x83\x4A quick brown fox\r\n");

    std::string scoreTo(const std::string& name) const {
        const fs::path out = folder.file(name);
        const ProcessResult r = runCli({"score", text.string(), "-o", out.string(), "--seed", "5"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(r.out.empty() && r.err.empty()) << r.err;
        return readFile(out);
    }
};

TEST_F(ScoreCommandTest, TheExtensionChoosesTheFormatAndTheSeedTheScore) {
    const std::string musicXml = scoreTo("a.musicxml");
    EXPECT_EQ(musicXml.rfind("<?xml", 0), 0u);
    EXPECT_NE(musicXml.find("<score-partwise version=\"4.0\">"), std::string::npos);
    EXPECT_NE(musicXml.find("<work-title>story</work-title>"), std::string::npos);
    EXPECT_NE(musicXml.find("<text>\xE3\x82\xAB</text>"), std::string::npos) << "カ as a lyric";
    EXPECT_EQ(scoreTo("b.xml"), musicXml);
    const std::string mxl = scoreTo("c.MXL");
    EXPECT_EQ(mxl.rfind("PK\x03\x04", 0), 0u);
    EXPECT_EQ(scoreTo("d.mxl"), mxl);
}

TEST_F(ScoreCommandTest, APdfWithoutLilyPondNamesThePackageAndWritesNothing) {
    const std::string path = std::getenv("PATH");
    setenv("PATH", folder.path().c_str(), 1);  // no LilyPond here
    const ProcessResult r = runCli({"score", text.string(), "-o", folder.file("s.pdf").string()});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("install the package lilypond"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(folder.file("s.pdf")));
}

TEST_F(ScoreCommandTest, APdfIsTypesetByLilyPondWhenItIsInstalled) {
    if (!lilyPondOnPath()) GTEST_SKIP() << "LilyPond is not installed";
    EXPECT_EQ(scoreTo("s.pdf").rfind("%PDF-", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST_F(ScoreCommandTest, ExportWritesLyricsOnlyWhenAskedInTheEncodingAsked) {
    const auto exported = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {
            "export", text.string(), "-o", folder.file("s.mid").string(), "--seed", "5"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(runCli(args).exitCode, 0);
        return readFile(folder.file("s.mid"));
    };
    EXPECT_EQ(exported({}).find("\xFF\x05"), std::string::npos);
    EXPECT_NE(exported({"--lyrics"}).find(std::string("\xFF\x05\x03\xE3\x82\xAB\x00\x90", 8)),
              std::string::npos);
    EXPECT_EQ(exported({"--lyrics", "--lyrics-encoding", "utf-8"}), exported({"--lyrics"}));
    EXPECT_NE(exported({"--lyrics-encoding", "cp932"}).find(std::string("\xFF\x05\x02\x83\x4A\x00\x90", 7)),
              std::string::npos);
}

}  // namespace
}  // namespace velmora::testing
