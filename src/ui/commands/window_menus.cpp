#include "ui/commands/window_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "documents/file_error.h"
#include "language/language_setting.h"
#include "language/qt/translations.h"
#include "ui/commands/command_registry.h"

namespace velmora {

namespace {

QString menuText(const char* source) { return QCoreApplication::translate("velmora::WindowMenus", source); }

void addCommands(QMenu& menu, const CommandRegistry& commands, std::initializer_list<Command> list) {
    for (const Command command : list) menu.addAction(commands.action(command));
}

QString aboutText() {
    return QObject::tr(
               "<h3>Velmora %1</h3>"
               "<p>テキストを音楽に変えるプログラム</p>"
               "<p>使用しているソフトウェアとそのライセンス:</p><ul>"
               "<li>Qt %2 — GNU LGPL v3</li>"
               "<li>FluidSynth — GNU LGPL v2.1 以降</li>"
               "<li>TimGM6mb サウンドフォント (Tim Brechbill, David Bolton) — GNU GPL v2</li></ul>"
               "<p>Velmora は MIT ライセンスのフリーソフトウェアです。© 2026 The Velmora developers</p>")
        .arg(QStringLiteral(VELMORA_VERSION), QString::fromLatin1(qVersion()));
}

// The language the window was built in: the one whose catalogue is installed.
Language windowLanguage() {
    return languageMenuTitle() == QStringLiteral("言語") ? Language::Japanese : Language::English;
}

}  // namespace

void buildMenuBar(QMenuBar& bar, const CommandRegistry& commands, QMenu& languageMenu) {
    QMenu* file = bar.addMenu(menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus", "ファイル(&F)")));
    addCommands(*file, commands, {Command::NewDocument, Command::OpenDocument});
    file->addMenu(commands.recentDocuments());
    file->addSeparator();
    addCommands(*file, commands, {Command::SaveDocument, Command::SaveDocumentAs});
    file->addSeparator();
    addCommands(*file, commands,
                {Command::ExportMidi, Command::ExportAudio, Command::ExportScore, Command::MidiLyrics});
    file->addSeparator();
    addCommands(*file, commands, {Command::Quit});

    QMenu* edit = bar.addMenu(menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus", "編集(&E)")));
    addCommands(*edit, commands, {Command::Undo, Command::Redo});
    edit->addSeparator();
    addCommands(*edit, commands, {Command::Cut, Command::Copy, Command::Paste, Command::SelectAll});
    edit->addSeparator();
    addCommands(*edit, commands, {Command::Find, Command::FindNext});

    QMenu* play = bar.addMenu(menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus", "演奏(&P)")));
    addCommands(*play, commands, {Command::Play, Command::LinePlay, Command::Pause, Command::SilenceChord});
    play->addSeparator();
    addCommands(*play, commands, {Command::TypingSound});

    QMenu* settings = bar.addMenu(menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus", "設定(&S)")));
    addCommands(*settings, commands, {Command::ChooseOutput, Command::ShowPresets});
    settings->addMenu(&languageMenu);

    QMenu* help = bar.addMenu(menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus", "ヘルプ(&H)")));
    addCommands(*help, commands, {Command::About});
}

QMenu* makeLanguageMenu(QWidget& parent, const std::string& globalSettingsPath,
                        std::function<void(const QString&)> notice) {
    auto* menu = new QMenu(languageMenuTitle(), &parent);
    menu->setObjectName("languageMenu");
    auto* group = new QActionGroup(menu);
    const LanguagePreference stored = readLanguageChoice(globalSettingsPath).preference();
    for (const LanguageMenuEntry& entry : languageMenuEntries()) {
        QAction* item = menu->addAction(entry.label);
        item->setCheckable(true);
        item->setChecked(entry.preference == stored);
        group->addAction(item);
        const LanguagePreference preference = entry.preference;
        QObject::connect(item, &QAction::triggered, menu, [globalSettingsPath, notice, preference] {
            const Language running = windowLanguage();
            bool kept = true;
            try {
                chooseLanguage(*QCoreApplication::instance(), QString::fromStdString(globalSettingsPath),
                               preference);
            } catch (const FileError&) {
                kept = false;
            }
            installTranslations(*QCoreApplication::instance(), running);
            notice(kept ? menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus",
                                                     "言語の変更は次回の起動から有効になります"))
                        : menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus", "言語の設定を保存できません")));
        });
    }
    return menu;
}

void showAboutBox(QWidget& parent) {
    QMessageBox::about(&parent, menuText(QT_TRANSLATE_NOOP("velmora::WindowMenus", "Velmoraについて")),
                       aboutText());
}

}  // namespace velmora
