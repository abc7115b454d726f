#include "cli/output_guard.h"

#include <utility>
#include <vector>

#include "documents/document_paths.h"
#include "documents/file_identity.h"
#include "documents/safe_file_writer.h"

namespace velmora::cli {

void refuseOutputOverInput(const CliArguments& arguments, const std::string& output) {
    if (output.empty() || output == SafeFileWriter::kStandardOutput) return;
    std::vector<std::pair<const char*, std::string>> inputs{{"the text", arguments.textPath}};
    if (arguments.settingsPath) {
        inputs.emplace_back("the settings file", *arguments.settingsPath);
    } else if (!arguments.noSettings) {
        inputs.emplace_back("the text's settings file", textSettingsPath(arguments.textPath));
    }
    if (arguments.soundfont) inputs.emplace_back("the soundfont", *arguments.soundfont);
    for (const auto& [role, input] : inputs) {
        if (sameExistingFile(output, input)) {
            throw UsageError("the output " + output + " is " + role + " (" + input + "); nothing was written");
        }
    }
}

std::string outputFileOf(const std::string& outputSpec) {
    constexpr std::string_view kCapture = "capture:";
    if (outputSpec.compare(0, kCapture.size(), kCapture) != 0) return {};
    return outputSpec.substr(kCapture.size());
}

}  // namespace velmora::cli
