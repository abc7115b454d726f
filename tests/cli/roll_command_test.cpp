#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <regex>
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

// A PNG's width, from its header.
std::uint32_t pngWidth(const std::string& png) {
    if (png.size() < 24) return 0;
    std::uint32_t width = 0;
    for (int i = 16; i < 20; ++i) width = width << 8 | static_cast<unsigned char>(png[static_cast<std::size_t>(i)]);
    return width;
}

TEST_F(RollCommand, ALongRollTakesPagesThatViewersOpen) {
    std::string lines;
    while (lines.size() < 40000) lines += "The morning was cold and bright when Mara left the house.\r\n";
    const fs::path longText = folder.write("long.txt", lines);
    const fs::path png = folder.file("long.png");
    const ProcessResult paged = runCli({"roll", longText.string(), "-o", png.string(), "--seed", "1"});
    ASSERT_EQ(paged.exitCode, 0) << paged.err;
    EXPECT_FALSE(fs::exists(png));
    int pages = 0;
    for (; fs::exists(folder.file("long-00" + std::to_string(pages + 1) + ".png")); ++pages) {
        const std::uint32_t width = pngWidth(readFile(folder.file("long-00" + std::to_string(pages + 1) + ".png")));
        EXPECT_GT(width, 0u);
        EXPECT_LE(width, 16000u);
    }
    EXPECT_GE(pages, 2);
    EXPECT_NE(paged.err.find("takes " + std::to_string(pages) + " pages"), std::string::npos) << paged.err;

    // Bars a few pixels wide are numbered every so many, so that the numbers do not overlap.
    ASSERT_EQ(runCli({"roll", longText.string(), "-o", folder.file("long.svg").string()}).exitCode, 0);
    const std::string svg = readFile(folder.file("long-001.svg"));
    const std::regex barNumber(R"re(<text x="([0-9.]+)" y="11" font-size="9">[0-9]+</text>)re");
    double previous = -100;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), barNumber); it != std::sregex_iterator(); ++it) {
        const double x = std::stod((*it)[1].str());
        EXPECT_GE(x - previous, 20) << "bar numbers overlap at x " << x;
        previous = x;
    }

    const ProcessResult bars = runCli({"roll", longText.string(), "-o", png.string(), "--bars", "2-3"});
    EXPECT_EQ(bars.exitCode, 0) << bars.err;
    EXPECT_LT(pngWidth(readFile(png)), 1000u);
    const ProcessResult tooNarrow = runCli({"roll", longText.string(), "-o", png.string(), "--page-width", "100"});
    EXPECT_EQ(tooNarrow.exitCode, 2);
    EXPECT_NE(tooNarrow.err.find("200 to 16000 pixels"), std::string::npos) << tooNarrow.err;

    // A page that would be the text is refused before any page is drawn.
    const fs::path pageText = folder.write("poem-002.png", lines);
    const ProcessResult clash = runCli({"roll", pageText.string(), "-o", folder.file("poem.png").string()});
    EXPECT_EQ(clash.exitCode, 2);
    EXPECT_NE(clash.err.find("nothing was written"), std::string::npos) << clash.err;
    EXPECT_FALSE(fs::exists(folder.file("poem-001.png")));
    EXPECT_EQ(readFile(pageText), lines);
}

// Sets an environment variable (or removes it) for the scope, for the tool started in it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* was = std::getenv(name)) saved_ = was;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (saved_)
            ::setenv(name_, saved_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST_F(RollCommand, SaysNothingAboutAMissingRuntimeFolderButStillWarnsOfABadOne) {
    {
        const ScopedEnvironment unset("XDG_RUNTIME_DIR", std::nullopt);
        const ProcessResult quiet = runCli({"roll", text.string(), "-o", folder.file("a.png").string()});
        EXPECT_EQ(quiet.exitCode, 0);
        EXPECT_EQ(quiet.err, "");
    }
    const fs::path shared = folder.file("runtime");
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    const ScopedEnvironment open("XDG_RUNTIME_DIR", shared.string());
    const ProcessResult warned = runCli({"roll", text.string(), "-o", folder.file("b.png").string()});
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_NE(warned.err.find("wrong permissions"), std::string::npos) << warned.err;
}

}  // namespace
}  // namespace velmora::testing
