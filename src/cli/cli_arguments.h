#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "documents/text_encoding.h"

namespace velmora::cli {

// A command line that does not follow the usage; exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Something that went wrong while doing the work; exit code 1.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CliArguments {
    std::string command;   // export, trace, play, render, roll, score; empty with help or version alone
    bool help = false;     // --help or -h: the tool's help, or the command's when one is given
    bool version = false;  // --version
    std::string textPath;
    std::string outputPath;  // -o
    std::optional<std::string> settingsPath;
    bool noSettings = false;
    std::vector<std::pair<std::string, std::string>> sets;  // --set KEY=VALUE, in order
    std::optional<std::uint64_t> seed;
    EncodingChoice encoding = EncodingChoice::Auto;
    std::optional<std::int32_t> fromLine;
    // export: lyric events with the characters, in UTF-8 or the text's CP932
    bool lyrics = false;
    bool lyricsInCp932 = false;
    // play and render
    std::optional<std::string> outputChoice;  // --output
    std::optional<std::string> soundfont;
    std::optional<std::string> audioDriver;  // --audio-driver, as given
    std::optional<std::string> audioBuffer;  // --audio-buffer, as given
    bool repeat = false;
    bool listOutputs = false;
    // roll
    std::int32_t firstBar = 0;  // --bars FROM-TO; 0: all
    std::int32_t lastBar = 0;
    std::optional<int> pageWidth;
};

// Parses argv[1..]; throws UsageError. After "--" every argument is a text,
// even one that starts with '-'.
CliArguments parseArguments(const std::vector<std::string>& args);

// The usage lines of every command.
std::string usageText();
// The tool's --help: the usage and what each command does.
std::string toolHelpText();
// A command's --help: its usage and options.
std::string commandHelpText(const std::string& command);

}  // namespace velmora::cli
