#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "documents/file_error.h"
#include "ui/main_window.h"
#include "ui/preset_dialog.h"
#include "ui/user_prompts.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Velmora");
    // The window speaks Japanese; Qt's own dialogs and buttons do so as well.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    velmora::TForm1 window;
    auto* presets = new velmora::TForm2(&window);  // hidden until "?" shows it
    window.attachPresetDialog(presets);
    try {
        presets->loadPresets(window.globalSettingsPath());
    } catch (const velmora::FileError& error) {
        velmora::DesktopPrompts(&window).showError(QString::fromStdString(error.what()));
    }
    // `velmora FILE` opens FILE, as "Open with" in a file manager asks.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && !arguments.at(1).startsWith('-'))
        window.FileOpen1Accept(QFileInfo(arguments.at(1)).absoluteFilePath());
    window.show();
    return QApplication::exec();
}
