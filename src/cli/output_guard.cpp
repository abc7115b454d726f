#include "cli/output_guard.h"

#include "documents/document_paths.h"
#include "documents/file_error.h"

namespace velmora::cli {

std::vector<ProtectedInput> protectedInputsOf(const CliArguments& arguments) {
    std::vector<ProtectedInput> inputs{{"the text", arguments.textPath}};
    if (arguments.settingsPath) {
        inputs.push_back({"the settings file", *arguments.settingsPath});
    } else if (!arguments.noSettings) {
        inputs.push_back({"the text's settings file", textSettingsPath(arguments.textPath)});
    }
    if (arguments.soundfont) inputs.push_back({"the soundfont", *arguments.soundfont});
    return inputs;
}

void checkOutput(const CliArguments& arguments, const std::string& output) {
    if (output.empty()) return;
    try {
        checkOutputTarget(output, protectedInputsOf(arguments));
    } catch (const FileError& error) {
        if (error.problem() != FileProblem::IsInput) throw;
        throw UsageError("the output " + output + " is " + error.about() + "; nothing was written");
    }
}

std::string outputFileOf(const std::string& outputChoice) {
    constexpr std::string_view kCapture = "capture:";
    if (outputChoice.compare(0, kCapture.size(), kCapture) != 0) return {};
    return outputChoice.substr(kCapture.size());
}

}  // namespace velmora::cli
