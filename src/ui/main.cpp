#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "documents/file_error.h"
#include "documents/process_signals.h"
#include "language/qt/translations.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/jack_environment.h"
#endif
#include "ui/engine_texts.h"
#include "ui/main_window.h"
#include "ui/preset_dialog.h"
#include "ui/settings_location.h"
#include "ui/user_prompts.h"

namespace {

// `velmora [FILE]`: FILE is opened as the "Open" command would, so that file
// managers can open texts with the program. --help and --version end at once.
QString fileToOpen(const QApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Turns text into music.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE", "a text to open (or a soundfont to play with)", "[FILE]");
    parser.process(application);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace

int main(int argc, char* argv[]) {
    velmora::ProcessSignals::install();  // before any thread starts
#ifdef VELMORA_HAVE_SOUND
    velmora::preventJackServerAutostart();  // before any thread: it sets the environment
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationName("Velmora");
    QApplication::setApplicationVersion(VELMORA_VERSION);
    QApplication::setDesktopFileName(VELMORA_APP_ID);
    const QString file = fileToOpen(application);
    velmora::installTranslations(application,
                                 velmora::startupLanguage(velmora::globalSettingsPathIn(QString())));

    velmora::TForm1 window;
    auto* presets = new velmora::TForm2(&window);  // hidden until "?" shows it
    window.attachPresetDialog(presets);
    try {
        presets->loadPresets(window.globalSettingsPath());
    } catch (const velmora::FileError& error) {
        velmora::DesktopPrompts(&window).showError(velmora::fileErrorText(error));
    }
    window.show();
    if (!file.isEmpty()) window.dropFiles({QFileInfo(file).absoluteFilePath()});
    return QApplication::exec();
}
