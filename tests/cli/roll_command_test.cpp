#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
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
