// The menu bar: every command of the window with its shortcut, the recent
// documents and the About box. The buttons stay; menu and button do the same.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "documents/file_error.h"
#include "language/language_setting.h"
#include "language/qt/translations.h"
#include "ui/main_window.h"
#include "ui/roll_panel.h"

namespace velmora {

namespace {

constexpr int kRecentShown = 8;

// Runs what the button does, and so not while the button is disabled.
void clickIfEnabled(QPushButton* button) {
    if (button->isEnabled()) button->click();
}

QString aboutText() {
    return QObject::tr("<h3>Velmora %1</h3>"
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

QAction* TForm1::addCommand(QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys) {
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

void TForm1::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
    connect(addCommand(file, "newDocument", tr("新規(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered, this,
            &TForm1::newDocument);
    QAction* open = addCommand(file, "FileOpen1", tr("開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    open->setStatusTip(tr("既存のファイルを開く"));
    connect(open, &QAction::triggered, this, &TForm1::FileOpen1Execute);
    QMenu* recent = file->addMenu(tr("最近使ったファイル(&R)"));
    recent->setObjectName("recentMenu");
    connect(recent, &QMenu::aboutToShow, this, &TForm1::fillRecentMenu);
    file->addSeparator();
    connect(addCommand(file, "saveDocument", tr("保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S)), &QAction::triggered, this,
            &TForm1::BitBtn6Click);
    connect(addCommand(file, "saveDocumentAs", tr("名前を付けて保存(&A)..."),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, &TForm1::BitBtn3Click);
    file->addSeparator();
    connect(addCommand(file, "exportMidi", tr("MIDI書き出し(&M)..."), {}), &QAction::triggered, this,
            [this] { clickIfEnabled(c_.BitBtn7); });
    QAction* wav = addCommand(file, "exportWav", tr("WAV書き出し(&W)..."), {});
    connect(wav, &QAction::triggered, this, [this] { clickIfEnabled(c_.wavButton); });
#ifndef VELMORA_HAVE_SOUND
    wav->setVisible(false);
#endif
    connect(addCommand(file, "exportScore", tr("楽譜書き出し(&E)..."), {}), &QAction::triggered, this, [this] {
        if (c_.BitBtn7->isEnabled()) exportScore();
    });
    midiLyrics_ = addCommand(file, "midiLyrics", tr("MIDI に歌詞を入れる(&L)"), {});
    midiLyrics_->setCheckable(true);
    midiLyrics_->setStatusTip(tr("MIDI 書き出しで、メロディの音ごとにその文字を歌詞として書き込みます"));
    file->addSeparator();
    connect(addCommand(file, "quit", tr("終了(&Q)"), QKeySequence(Qt::CTRL | Qt::Key_Q)), &QAction::triggered, this,
            &QWidget::close);

    buildEditMenu();

    QMenu* play = menuBar()->addMenu(tr("演奏(&P)"));
    connect(addCommand(play, "playShortcut", QStringLiteral("Play"), Qt::Key_F5), &QAction::triggered, this,
            [this] { clickIfEnabled(c_.BitBtn2); });
    connect(addCommand(play, "linePlayShortcut", QStringLiteral("LinePlay"), Qt::Key_F6), &QAction::triggered,
            this, [this] { clickIfEnabled(c_.BitBtn5); });
    connect(addCommand(play, "pauseShortcut", QStringLiteral("Pause"), Qt::Key_F7), &QAction::triggered, this,
            [this] { clickIfEnabled(c_.BitBtn4); });
    connect(addCommand(play, "Action1", tr("消音"), Qt::Key_Escape), &QAction::triggered, this,
            &TForm1::Action1Execute);
    play->addSeparator();
    play->addAction(rollPanel_->typingAction());

    QMenu* settings = menuBar()->addMenu(tr("設定(&S)"));
    connect(addCommand(settings, "chooseOutput", tr("出力…"), {}), &QAction::triggered, this,
            [this] { clickIfEnabled(c_.outputButton); });
    connect(addCommand(settings, "showPresets", tr("プリセット"), {}), &QAction::triggered, this,
            &TForm1::Button1Click);
    buildLanguageMenu(settings);

    QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
    connect(addCommand(help, "about", tr("Velmoraについて(&A)"), {}), &QAction::triggered, this,
            [this] { QMessageBox::about(this, tr("Velmoraについて"), aboutText()); });
}

// The choice is kept in velmora.ini and applies at the next start: the window
// builds its texts once, and a half-translated window would be worse than
// waiting. The running window stays in its language until then.
void TForm1::buildLanguageMenu(QMenu* settings) {
    QMenu* menu = settings->addMenu(languageMenuTitle());
    menu->setObjectName("languageMenu");
    auto* group = new QActionGroup(menu);
    const LanguagePreference stored = readLanguageChoice(globalSettingsPath()).preference();
    for (const LanguageMenuEntry& entry : languageMenuEntries()) {
        QAction* item = menu->addAction(entry.label);
        item->setCheckable(true);
        item->setChecked(entry.preference == stored);
        group->addAction(item);
        const LanguagePreference preference = entry.preference;
        connect(item, &QAction::triggered, this, [this, preference] {
            const Language running = windowLanguage();
            bool stored = true;
            try {
                chooseLanguage(*QCoreApplication::instance(), QString::fromStdString(globalSettingsPath()),
                               preference);
            } catch (const FileError&) {
                stored = false;
            }
            installTranslations(*QCoreApplication::instance(), running);
            showNotice(stored ? tr("言語の変更は次回の起動から有効になります")
                              : tr("言語の設定を保存できません"));
        });
    }
}

void TForm1::fillRecentMenu() {
    auto* recent = findChild<QMenu*>("recentMenu");
    recent->clear();
    int number = 0;
    for (const std::string& path : settings_.recent()) {
        if (++number > kRecentShown) break;
        const QString name = QString::fromStdString(path);
        QAction* item = recent->addAction(QStringLiteral("&%1 %2").arg(number).arg(name));
        connect(item, &QAction::triggered, this, [this, name] {
            if (maySetDocumentAside()) FileOpen1Accept(name);
        });
    }
    if (number == 0) recent->addAction(tr("（なし）"))->setEnabled(false);
}

}  // namespace velmora
