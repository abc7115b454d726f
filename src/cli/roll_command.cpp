#include "cli/roll_command.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "cli/cli_setup.h"
#include "cli/output_guard.h"
#include "documents/file_error.h"
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

}  // namespace

int runRoll(const CliArguments& arguments) {
    if (!isRollPictureName(arguments.outputPath)) {
        throw UsageError("roll writes a .png or .svg picture, not " + arguments.outputPath);
    }
    CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) throw RuntimeError(kEmptyTextMessage);
    SeededRandom rng(setup.seed);
    const RollPageOptions options{arguments.firstBar, arguments.lastBar, arguments.pageWidth};

    // Fonts need a GUI application, but the picture needs no display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "velmora-cli";
    char* argv[] = {name, nullptr};
    const RuntimeFolderNoticeFilter quiet;
    QGuiApplication application(argc, argv);
    std::vector<std::string> written;
    try {
        written = writeRollPictures(takeExportRequest(setup), rng, arguments.outputPath, options,
                                    protectedInputsOf(arguments));
    } catch (const RollRangeError& error) {
        throw UsageError(error.what());
    } catch (const FileError& error) {  // a page's name that leads to an input
        if (error.problem() != FileProblem::IsInput) throw;
        throw UsageError("the output " + error.path() + " is " + error.about() + "; nothing was written");
    }
    if (written.size() > 1) {
        std::cerr << "velmora-cli: the roll takes " << written.size() << " pages: " << written.front() << " to "
                  << written.back() << '\n';
    }
    return 0;
}

}  // namespace velmora::cli
