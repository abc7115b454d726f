#include "cli/cli_arguments.h"

#include <charconv>

namespace velmora::cli {

namespace {

bool commandTakesOption(const std::string& command, const std::string& option) {
    if (option == "-o") return command == "export" || command == "render";
    if (option == "--from-line") return command == "trace" || command == "play";
    if (option == "--output" || option == "--repeat" || option == "--list-outputs") return command == "play";
    if (option == "--soundfont") return command == "play" || command == "render";
    return true;  // options every command takes
}

template <typename Number>
Number parseNumber(const std::string& option, const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        throw UsageError(option + " needs a whole number, not \"" + text + "\"");
    }
    return value;
}

}  // namespace

std::string usageText() {
    return "usage: velmora-cli export TEXT -o OUT.mid [--settings INI | --no-settings] [--set KEY=VALUE]... "
           "[--seed N] [--encoding auto|cp932|utf-8]\n"
           "       velmora-cli trace  TEXT [--settings INI | --no-settings] [--set KEY=VALUE]... [--seed N] "
           "[--from-line N] [--encoding E]\n"
           "       velmora-cli play   TEXT [export's options] [--output OUTPUT] [--soundfont PATH] [--repeat] "
           "[--from-line N]\n"
           "       velmora-cli play --list-outputs\n"
           "       velmora-cli render TEXT -o OUT.wav|.flac|.ogg|.mp3 [export's options] [--soundfont PATH]\n";
}

CliArguments parseArguments(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError("no command given (export, trace, play or render)");
    CliArguments parsed;
    parsed.command = args[0];
    if (parsed.command != "export" && parsed.command != "trace" && parsed.command != "play" &&
        parsed.command != "render") {
        throw UsageError("unknown command \"" + parsed.command + "\" (export, trace, play or render)");
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if (!arg.empty() && arg[0] == '-' && arg != "-" && !commandTakesOption(parsed.command, arg)) {
            throw UsageError(parsed.command + " does not take " + arg);
        }
        if (arg == "-o") {
            parsed.outputPath = value();
        } else if (arg == "--settings") {
            parsed.settingsPath = value();
        } else if (arg == "--no-settings") {
            parsed.noSettings = true;
        } else if (arg == "--set") {
            const std::string& pair = value();
            const auto equals = pair.find('=');
            if (equals == std::string::npos || equals == 0) throw UsageError("--set needs KEY=VALUE, not \"" + pair + "\"");
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
            if (*parsed.fromLine < 0) throw UsageError("--from-line needs a line number of 0 or more");
        } else if (arg == "--output") {
            parsed.outputSpec = value();
        } else if (arg == "--soundfont") {
            parsed.soundfont = value();
        } else if (arg == "--repeat") {
            parsed.repeat = true;
        } else if (arg == "--list-outputs") {
            parsed.listOutputs = true;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            throw UsageError("unknown option " + arg);
        } else if (parsed.textPath.empty()) {
            parsed.textPath = arg;
        } else {
            throw UsageError("more than one text given: \"" + parsed.textPath + "\" and \"" + arg + "\"");
        }
    }
    if (parsed.settingsPath && parsed.noSettings) throw UsageError("--settings and --no-settings exclude each other");
    if (parsed.listOutputs) return parsed;
    if (parsed.textPath.empty()) throw UsageError(parsed.command + " needs a text file");
    if ((parsed.command == "export" || parsed.command == "render") && parsed.outputPath.empty()) {
        throw UsageError(parsed.command + " needs -o OUT");
    }
    return parsed;
}

}  // namespace velmora::cli
