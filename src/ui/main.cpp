#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "documents/file_error.h"
#include "documents/process_signals.h"
#include "documents/temporary_leftovers.h"
#include "language/qt/translations.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/jack_environment.h"
#endif
#include "ui/dialogs/preset_dialog.h"
#include "ui/dialogs/user_prompts.h"
#include "ui/performance/output_settings.h"
#include "ui/settings/engine_texts.h"
#include "ui/settings/settings_location.h"
#include "ui/window/main_window.h"
#include "ui/window/session_end.h"

namespace {

// `velmora [FILE]`: FILE is opened as the "Open" command would, so that file
// managers can open texts with the program. --help and --version end at once.
QString fileToOpen(const QCoreApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Turns text into music.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE", "a text to open (or a soundfont to play with)", "[FILE]");
    parser.process(application);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

// --help and --version are answered without a display.
bool answersWithoutWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) return true;
    }
    return false;
}

void nameApplication() {
    QCoreApplication::setApplicationName("Velmora");
    QCoreApplication::setApplicationVersion(VELMORA_VERSION);
}

// Qt ends the program with a cryptic message when no platform plugin can show
// the window. On a Wayland session the Wayland plugin is tried first and X11
// (XWayland) after it; with neither a display is there, say so and stop.
bool choosePlatform() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen != nullptr && *chosen != '\0') return true;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x11 = std::getenv("DISPLAY");
    const bool hasWayland = wayland != nullptr && *wayland != '\0';
    const bool hasX11 = x11 != nullptr && *x11 != '\0';
    const bool waylandPlugin = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                                                 "/platforms/libqwayland-generic.so");
    if (hasWayland && waylandPlugin) setenv("QT_QPA_PLATFORM", hasX11 ? "wayland;xcb" : "wayland", 1);
    if (hasX11 || (hasWayland && waylandPlugin)) return true;
    if (hasWayland) {
        std::fputs(
            "velmora: the window needs Qt's Wayland support here, which is not installed: install the "
            "package "
            "qt6-wayland (sudo apt-get install qt6-wayland).\n",
            stderr);
        return false;
    }
    std::fputs(
        "velmora: no display to show the window on (neither WAYLAND_DISPLAY nor DISPLAY is set).\n"
        "velmora-cli plays, traces and exports texts without one.\n",
        stderr);
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (answersWithoutWindow(argc, argv)) {
        QCoreApplication answering(argc, argv);
        nameApplication();
        fileToOpen(answering);  // prints the answer and ends the program
        return 0;
    }
    velmora::ProcessSignals::install();  // before any thread starts
#ifdef VELMORA_HAVE_SOUND
    velmora::preventJackServerAutostart();  // before any thread: it sets the environment
#endif
    if (!choosePlatform()) return 1;
    velmora::TemporaryFileJournal::use(velmora::TemporaryFileJournal::defaultFolder());
    const std::jthread leftovers([] { velmora::TemporaryFileJournal::removeLeftovers(); });
    QApplication application(argc, argv);
    nameApplication();
    QApplication::setWindowIcon(
        QIcon::fromTheme(VELMORA_APP_ID, QIcon(":/icons/io.github.velmora.Velmora.png")));
    QApplication::setDesktopFileName(VELMORA_APP_ID);
    const QString file = fileToOpen(application);
    velmora::installTranslations(application,
                                 velmora::startupLanguage(velmora::globalSettingsPathIn(QString())));

    // A text named on the command line (or by "Open with") is opened instead of
    // the last one, never after it: leaving the last one could stop it.
    velmora::MainWindowSetup setup;
    setup.reopenLatest = file.isEmpty() || velmora::isSoundfontFile(file.toStdString());
    velmora::MainWindow window(std::move(setup));
    auto* presets = new velmora::PresetDialog(&window);  // hidden until "?" shows it
    window.attachPresetDialog(presets);
    try {
        presets->loadPresets(window.globalSettingsPath());
    } catch (const velmora::FileError& error) {
        velmora::DesktopPrompts(&window).showError(velmora::fileErrorText(error));
    }
    velmora::SessionEnd sessionEnd([&window](int) {
        window.endSession();
        QApplication::exit(0);  // also ends the loop of a dialog that was open
    });
    window.show();
    if (!file.isEmpty()) window.openFiles({QFileInfo(file).absoluteFilePath()});
    return QApplication::exec();
}
