#include "cli/cli_setup.h"

#include <filesystem>
#include <iostream>

#include "documents/cp932_text.h"
#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "documents/settings.h"
#include "engine/performance_state.h"
#include "mapping/random_source.h"

namespace velmora::cli {

namespace {

void applySettingsFile(CliSetup& setup, const std::string& path) {
    const LoadedSettings loaded = loadSettingsFile(path, false);
    if (loaded.encodingWarning) {
        std::cerr << "velmora-cli: warning: settings file " << path << ": " << *loaded.encodingWarning << '\n';
    }
    applyConfigRows(loaded, setup.options);
}

}  // namespace

CliSetup prepareSetup(const CliArguments& arguments) {
    CliSetup setup;
    try {
        if (arguments.settingsPath) {
            if (!std::filesystem::is_regular_file(*arguments.settingsPath)) {
                throw RuntimeError("cannot read settings file " + *arguments.settingsPath);
            }
            applySettingsFile(setup, *arguments.settingsPath);
        } else if (!arguments.noSettings) {
            const std::string ownSettings = textSettingsPath(arguments.textPath);
            std::error_code unreadable;
            if (!ownSettings.empty() && std::filesystem::is_regular_file(ownSettings, unreadable)) {
                applySettingsFile(setup, ownSettings);
            }
        }
        for (const auto& [key, value] : arguments.sets) {
            if (const auto error = applyConfigKey(key, value, setup.options)) throw UsageError(*error);
        }
        setup.document = loadTextDocument(arguments.textPath, arguments.encoding);
    } catch (const FileError& error) {
        throw RuntimeError(error.englishWithDetail());
    }
    setup.keyNote = setup.options.keyNote();
    // Upper-casing the whole text and splitting it again gives the same lines as
    // upper-casing each line: CP932 characters never span a line break.
    setup.upperLines.reserve(setup.document.lines.size());
    for (const auto& line : setup.document.lines) setup.upperLines.push_back(upperCp932(line));
    setup.lineStarts = lineStartsOfPlainLines(setup.upperLines);
    setup.seed = arguments.seed ? *arguments.seed : SeededRandom::clockSeed();
    return setup;
}

void checkFromLine(const CliArguments& arguments, const CliSetup& setup) {
    const auto lines = static_cast<std::int64_t>(setup.upperLines.size());
    if (!arguments.fromLine || lines == 0 || *arguments.fromLine < lines) return;
    throw UsageError("--from-line " + std::to_string(*arguments.fromLine) + ": the text has lines 0 to " +
                     std::to_string(lines - 1));
}

namespace {

// What an export reads besides the text.
ExportRequest requestWithoutText(const CliSetup& setup) {
    ExportRequest request;
    request.options = setup.options;
    request.keyNote = setup.keyNote;
    return request;
}

}  // namespace

ExportRequest exportRequestFor(const CliSetup& setup) {
    ExportRequest request = requestWithoutText(setup);
    request.playLines = setup.upperLines;
    request.lineStarts = setup.lineStarts;
    return request;
}

ExportRequest takeExportRequest(CliSetup& setup, bool textLines) {
    ExportRequest request = requestWithoutText(setup);
    request.playLines = std::move(setup.upperLines);
    request.lineStarts = std::move(setup.lineStarts);
    if (textLines) request.textLines = std::move(setup.document.lines);
    setup.document = TextDocument{};
    setup.upperLines.clear();
    setup.lineStarts.clear();
    return request;
}

}  // namespace velmora::cli
