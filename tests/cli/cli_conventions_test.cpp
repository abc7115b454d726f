// The command line as Linux tools have it: help and version on standard output
// with exit 0, and "--" ending the options.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_process.h"

namespace fs = std::filesystem;
using velmora::testing::ProcessResult;
using velmora::testing::RunningCli;
using velmora::testing::runCli;
using velmora::testing::TempFolder;

namespace {

// Runs the tool from `folder`, so that relative names that start with '-' reach it.
ProcessResult runCliIn(const fs::path& folder, const std::vector<std::string>& args) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    ProcessResult result = runCli(args);
    fs::current_path(before);
    return result;
}

}  // namespace

TEST(CliConventions, HelpGoesToStandardOutputWithExitZero) {
    for (const std::string option : {"--help", "-h"}) {
        const ProcessResult r = runCli({option});
        EXPECT_EQ(r.exitCode, 0) << option;
        EXPECT_TRUE(r.err.empty()) << option;
        for (const std::string command : {"export", "trace", "play", "render", "roll", "score"}) {
            EXPECT_NE(r.out.find("velmora-cli " + command), std::string::npos) << option << ' ' << command;
        }
        EXPECT_NE(r.out.find("--version"), std::string::npos);
    }
}

TEST(CliConventions, EachCommandHasItsOwnHelpWhereverTheOptionStands) {
    const std::vector<std::pair<std::string, std::string>> commandsAndOption = {{"export", "-o OUT.mid"},
                                                                                {"trace", "--from-line N"},
                                                                                {"play", "--list-outputs"},
                                                                                {"render", "-o OUT.wav"},
                                                                                {"score", "-o OUT.musicxml"}};
    for (const auto& [command, ownOption] : commandsAndOption) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{command, "--help"},
              std::vector<std::string>{command, "story.txt", "-h"},
              std::vector<std::string>{command, "--bogus", "--help"}}) {
            const ProcessResult r = runCli(args);
            EXPECT_EQ(r.exitCode, 0) << command;
            EXPECT_TRUE(r.err.empty()) << command << ": " << r.err;
            EXPECT_EQ(r.out.rfind("usage: velmora-cli " + command, 0), 0u) << r.out;
            EXPECT_NE(r.out.find(ownOption), std::string::npos) << command;
        }
    }
}

// As coreutils do: what cannot be written to the standard output is an error.
TEST(CliConventions, HelpVersionAndListsIntoAFullDeviceExitOne) {
    if (::geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
    TempFolder folder;
    const fs::path full = folder.file("full");
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) GTEST_SKIP() << "no device nodes here";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"--version"},
                                                  {"render", "--help"}, {"play", "--list-outputs"}}) {
        const ProcessResult r = RunningCli(VELMORA_CLI_PATH, args, full.string()).wait();
        EXPECT_EQ(r.exitCode, 1) << args.back();
        EXPECT_NE(r.err.find("cannot write the standard output: No space left on device"), std::string::npos)
            << r.err;
    }
}

TEST(CliConventions, VersionNamesTheToolAndItsRelease) {
    const ProcessResult r = runCli({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "velmora-cli " VELMORA_VERSION "\n");
    EXPECT_TRUE(r.err.empty());

    const ProcessResult extra = runCli({"--version", "export"});
    EXPECT_EQ(extra.exitCode, 2);
    EXPECT_TRUE(extra.out.empty());
}

TEST(CliConventions, DoubleDashMakesTheNextArgumentTheText) {
    TempFolder folder;
    folder.write("-story.txt", "Hello world\r\n");
    const ProcessResult misread = runCliIn(folder.file(""), {"export", "-o", "out.mid", "-story.txt"});
    EXPECT_EQ(misread.exitCode, 2);

    const ProcessResult r = runCliIn(folder.file(""), {"export", "-o", "out.mid", "--", "-story.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(velmora::testing::readFile(folder.file("out.mid")).substr(0, 4), "MThd");
}

TEST(CliConventions, HelpAfterDoubleDashIsATextName) {
    TempFolder folder;
    const ProcessResult r = runCliIn(folder.file(""), {"trace", "--", "--help"});
    EXPECT_EQ(r.exitCode, 1);  // no file called --help
    EXPECT_TRUE(r.out.empty());

    const ProcessResult twoTexts = runCliIn(folder.file(""), {"trace", "a.txt", "--", "b.txt"});
    EXPECT_EQ(twoTexts.exitCode, 2);
}
