#include "cli/cli_arguments.h"

#include <charconv>
#include <limits>
#include <tuple>

namespace velmora::cli {

namespace {

bool isCommand(const std::string& word) {
    return word == "export" || word == "trace" || word == "play" || word == "render" || word == "roll" ||
           word == "score";
}

bool isHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

bool commandTakesOption(const std::string& command, const std::string& option) {
    if (option == "-o") {
        return command == "export" || command == "render" || command == "roll" || command == "score";
    }
    if (option == "--lyrics" || option == "--lyrics-encoding") return command == "export";
    if (option == "--from-line") return command == "trace" || command == "play";
    if (option == "--output" || option == "--repeat" || option == "--list-outputs" ||
        option == "--audio-driver" || option == "--audio-buffer")
        return command == "play";
    if (option == "--soundfont") return command == "play" || command == "render";
    if (option == "--bars" || option == "--page-width") return command == "roll";
    return true;  // options every command takes
}

// A whole number from `lowest` to the type's largest; the message says the range.
template <typename Number>
Number parseNumber(const std::string& option, const std::string& text, Number lowest = 0) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value < lowest) {
        throw UsageError(option + " takes a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(std::numeric_limits<Number>::max()) + ", not \"" + text + "\"");
    }
    return value;
}

// --bars FROM-TO.
std::pair<std::int32_t, std::int32_t> parseBars(const std::string& text) {
    const auto dash = text.find('-');
    if (dash == std::string::npos) throw UsageError("--bars takes FROM-TO (bars counted from 1), not \"" + text + "\"");
    return {parseNumber<std::int32_t>("--bars FROM", text.substr(0, dash), 1),
            parseNumber<std::int32_t>("--bars TO", text.substr(dash + 1), 1)};
}

}  // namespace

CliArguments parseArguments(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError("no command given (export, trace, play, render, roll or score)");
    CliArguments parsed;
    if (isHelpOption(args[0]) || args[0] == "--version") {
        if (args.size() > 1) throw UsageError(args[0] + " takes no arguments");
        parsed.help = args[0] != "--version";
        parsed.version = !parsed.help;
        return parsed;
    }
    parsed.command = args[0];
    if (!isCommand(parsed.command)) {
        throw UsageError("unknown command \"" + parsed.command +
                         "\" (export, trace, play, render, roll or score)");
    }
    // A command's help wins over everything else on its line, as long as it
    // comes before "--".
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
        if (isHelpOption(args[i])) {
            parsed.help = true;
            return parsed;
        }
    }
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        const bool isOption = !optionsEnded && !arg.empty() && arg[0] == '-' && arg != "-";
        if (!isOption) {
            if (!parsed.textPath.empty()) {
                throw UsageError("more than one text given: \"" + parsed.textPath + "\" and \"" + arg + "\"");
            }
            parsed.textPath = arg;
            continue;
        }
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if (!commandTakesOption(parsed.command, arg)) {
            throw UsageError(parsed.command + " does not take " + arg);
        }
        if (arg == "-o") {
            parsed.outputPath = value();
            if (parsed.outputPath.empty()) {
                throw UsageError("-o needs a file name (or - for the standard output), not an empty one");
            }
        } else if (arg == "--settings") {
            parsed.settingsPath = value();
        } else if (arg == "--no-settings") {
            parsed.noSettings = true;
        } else if (arg == "--set") {
            const std::string& pair = value();
            const auto equals = pair.find('=');
            if (equals == std::string::npos || equals == 0)
                throw UsageError("--set needs KEY=VALUE, not \"" + pair + "\"");
            parsed.sets.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
        } else if (arg == "--seed") {
            parsed.seed = parseNumber<std::uint64_t>(arg, value());
        } else if (arg == "--encoding") {
            const std::string& name = value();
            const auto choice = parseEncodingChoice(name);
            if (!choice) throw UsageError("unknown encoding \"" + name + "\" (auto, cp932 or utf-8)");
            parsed.encoding = *choice;
        } else if (arg == "--from-line") {
            parsed.fromLine = parseNumber<std::int32_t>(arg, value());
        } else if (arg == "--output") {
            parsed.outputChoice = value();
        } else if (arg == "--soundfont") {
            parsed.soundfont = value();
        } else if (arg == "--audio-driver") {
            parsed.audioDriver = value();
        } else if (arg == "--audio-buffer") {
            parsed.audioBuffer = value();
        } else if (arg == "--bars") {
            std::tie(parsed.firstBar, parsed.lastBar) = parseBars(value());
        } else if (arg == "--page-width") {
            parsed.pageWidth = parseNumber<int>(arg, value(), 1);
        } else if (arg == "--repeat") {
            parsed.repeat = true;
        } else if (arg == "--list-outputs") {
            parsed.listOutputs = true;
        } else if (arg == "--lyrics") {
            parsed.lyrics = true;
        } else if (arg == "--lyrics-encoding") {
            // Naming the lyrics' encoding asks for lyrics.
            const std::string& name = value();
            const auto choice = parseEncodingChoice(name);
            if (!choice || *choice == EncodingChoice::Auto) {
                throw UsageError("unknown lyrics encoding \"" + name + "\" (utf-8 or cp932)");
            }
            parsed.lyrics = true;
            parsed.lyricsInCp932 = *choice == EncodingChoice::Cp932;
        } else {
            throw UsageError("unknown option " + arg);
        }
    }
    if (parsed.settingsPath && parsed.noSettings)
        throw UsageError("--settings and --no-settings exclude each other");
    if (parsed.listOutputs) return parsed;
    if (parsed.textPath.empty()) throw UsageError(parsed.command + " needs a text file");
    if ((parsed.command == "export" || parsed.command == "render" || parsed.command == "roll" ||
         parsed.command == "score") &&
        parsed.outputPath.empty()) {
        throw UsageError(parsed.command + " needs -o OUT");
    }
    return parsed;
}

}  // namespace velmora::cli
