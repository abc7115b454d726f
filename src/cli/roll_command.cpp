#include "cli/roll_command.h"

#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "cli/cli_setup.h"
#include "roll/export_roll.h"
#include "roll/qt/roll_picture.h"

namespace velmora::cli {

namespace {

QtMessageHandler previousMessageHandler = nullptr;

// Without a desktop session (sudo, CI) Qt says on every start that the runtime
// folder is not set; the picture needs no such folder, so that one notice is
// not passed on. Every other message is.
void quietAboutMissingRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (previousMessageHandler != nullptr) previousMessageHandler(type, context, message);
}

// Installs the filter for its lifetime.
class RuntimeFolderNoticeFilter {
public:
    RuntimeFolderNoticeFilter() { previousMessageHandler = qInstallMessageHandler(quietAboutMissingRuntimeFolder); }
    ~RuntimeFolderNoticeFilter() { qInstallMessageHandler(previousMessageHandler); }
    RuntimeFolderNoticeFilter(const RuntimeFolderNoticeFilter&) = delete;
    RuntimeFolderNoticeFilter& operator=(const RuntimeFolderNoticeFilter&) = delete;
};

bool isPictureName(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".png" || extension == ".svg";
}

}  // namespace

int runRoll(const CliArguments& arguments) {
    if (!isPictureName(arguments.outputPath)) {
        throw UsageError("roll writes a .png or .svg picture, not " + arguments.outputPath);
    }
    const CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) throw RuntimeError(kEmptyTextMessage);
    SeededRandom rng(setup.seed);
    const RollModel model = buildExportRoll(exportRequestFor(setup), rng);

    // Fonts need a GUI application, but the picture needs no display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "velmora-cli";
    char* argv[] = {name, nullptr};
    const RuntimeFolderNoticeFilter quiet;
    QGuiApplication application(argc, argv);
    try {
        writeRollPicture(model, arguments.outputPath);
    } catch (const RollPictureError& error) {
        throw RuntimeError(error.what());
    }
    return 0;
}

}  // namespace velmora::cli
