#include <gtest/gtest.h>

#include <string>

#include "cli_process.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

class RollCommand : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path text = folder.write("story.txt", "Hello world\r\nThe quick brown fox\r\n");
};

TEST_F(RollCommand, DrawsAPngOrAnSvgWithoutADisplay) {
    const fs::path png = folder.file("story.png");
    const ProcessResult a = runCli({"roll", text.string(), "-o", png.string(), "--seed", "3"});
    EXPECT_EQ(a.exitCode, 0) << a.err;
    const std::string image = readFile(png);
    ASSERT_GT(image.size(), 100u);
    EXPECT_EQ(image.substr(1, 3), "PNG");

    // Export's options apply: another pattern draws other notes.
    const fs::path svg = folder.file("story.svg");
    const fs::path other = folder.file("other.svg");
    EXPECT_EQ(runCli({"roll", text.string(), "-o", svg.string(), "--seed", "3"}).exitCode, 0);
    EXPECT_EQ(runCli({"roll", text.string(), "-o", other.string(), "--seed", "3", "--set", "patern=8"}).exitCode, 0);
    const std::string drawing = readFile(svg);
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
    EXPECT_NE(drawing, readFile(other));
}

TEST_F(RollCommand, RefusesOtherPicturesAndEmptyTexts) {
    const ProcessResult jpeg = runCli({"roll", text.string(), "-o", folder.file("story.jpg").string()});
    EXPECT_EQ(jpeg.exitCode, 2);
    EXPECT_FALSE(fs::exists(folder.file("story.jpg")));
    EXPECT_EQ(runCli({"roll", text.string()}).exitCode, 2);  // no -o
    const fs::path empty = folder.write("empty.txt", "");
    EXPECT_EQ(runCli({"roll", empty.string(), "-o", folder.file("e.png").string()}).exitCode, 1);
    EXPECT_EQ(runCli({"roll", text.string(), "-o", folder.file("missing/dir/x.png").string()}).exitCode, 1);
}

}  // namespace
}  // namespace velmora::testing
