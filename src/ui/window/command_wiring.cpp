// The window's commands and events: each command's action runs its handler,
// the document's signals reach the caption, the notices and the displays, and
// the memo's pointer and drops reach the window.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>

#include "ui/commands/command_registry.h"
#include "ui/commands/window_menus.h"
#include "ui/controls/option_widgets.h"
#include "ui/dialogs/preset_dialog.h"
#include "ui/document/document.h"
#include "ui/export/export_commands.h"
#include "ui/memo/memo_edit.h"
#include "ui/memo/memo_search.h"
#include "ui/roll/roll_panel.h"
#include "ui/window/main_window.h"

namespace velmora {

namespace {

constexpr int kRecentShown = 8;

}  // namespace

void MainWindow::connectCommands() {
    const auto on = [this](Command command, auto handler) {
        connect(commands_->action(command), &QAction::triggered, this, handler);
    };
    on(Command::NewDocument, [this] { newDocument(); });
    on(Command::OpenDocument, [this] { document_->chooseAndOpen(); });
    on(Command::SaveDocument, [this] { document_->save(); });
    on(Command::SaveDocumentAs, [this] { document_->saveAs(); });
    on(Command::ExportMidi, [this] { exports_->exportMidi(); });
    on(Command::ExportAudio, [this] { exports_->exportAudio(); });
    on(Command::ExportScore, [this] { exports_->exportScore(); });
    connect(commands_->action(Command::MidiLyrics), &QAction::toggled, exports_,
            &ExportCommands::setMidiLyrics);
    on(Command::Quit, [this] { close(); });
    on(Command::Play, [this] { playOrStop(); });
    on(Command::LinePlay, [this] { linePlayOrStop(); });
    on(Command::Pause, [this] { performance_->pauseOrContinue(); });
    on(Command::SilenceChord, [this] { performance_->silenceChord(); });  // Esc
    connect(commands_->action(Command::TypingSound), &QAction::toggled, this,
            [this](bool on) { rollPanel_->typing().setEnabled(on); });
    on(Command::ChooseOutput, [this] { chooseOutput(); });
    on(Command::ShowPresets, [this] { showPresets(); });
    on(Command::About, [this] { showAboutBox(*this); });
    connectEditCommands();
    for (int number = 1; number <= CommandRegistry::kPresetCount; ++number) {
        connect(commands_->backingPreset(number), &QAction::triggered, this,
                [this, number] { applyBackingPreset(number); });
        connect(commands_->soloPreset(number), &QAction::triggered, this,
                [this, number] { applySoloPreset(number); });
    }
    connect(commands_->recentDocuments(), &QMenu::aboutToShow, this, &MainWindow::fillRecentDocuments);
    QWidget* solo = c_.options.widget(OptionId::SoloInstrument);
    connect(solo, &QWidget::customContextMenuRequested, this,
            [this, solo](QPoint at) { c_.soloPresetMenu->popup(solo->mapToGlobal(at)); });

    QMenu* language =
        makeLanguageMenu(*this, globalSettingsPath(), [this](const QString& text) { showNotice(text); });
    buildMenuBar(*menuBar(), *commands_, *language);

    connect(c_.memo, &MemoEdit::pointerMoved, this, &MainWindow::showNotesUnderPointer);
    connect(c_.memo, &MemoEdit::filesDropped, this, &MainWindow::openFiles);
}

void MainWindow::connectEditCommands() {
    MemoEdit* memo = c_.memo;
    const auto toMemo = [this, memo](Command command, void (QPlainTextEdit::*edit)()) {
        connect(commands_->action(command), &QAction::triggered, memo, edit);
    };
    toMemo(Command::Undo, &QPlainTextEdit::undo);
    toMemo(Command::Redo, &QPlainTextEdit::redo);
    toMemo(Command::Cut, &QPlainTextEdit::cut);
    toMemo(Command::Copy, &QPlainTextEdit::copy);
    toMemo(Command::Paste, &QPlainTextEdit::paste);
    toMemo(Command::SelectAll, &QPlainTextEdit::selectAll);
    for (QAction* step : {commands_->action(Command::Undo), commands_->action(Command::Redo)})
        step->setEnabled(false);
    connect(memo, &QPlainTextEdit::undoAvailable, commands_->action(Command::Undo), &QAction::setEnabled);
    connect(memo, &QPlainTextEdit::redoAvailable, commands_->action(Command::Redo), &QAction::setEnabled);
    search_ = new MemoSearch(
        *memo, [this](const QString& text) { showNotice(text); }, this);
    connect(commands_->action(Command::Find), &QAction::triggered, search_, &MemoSearch::ask);
    connect(commands_->action(Command::FindNext), &QAction::triggered, search_, &MemoSearch::findNext);
}

void MainWindow::connectDocument() {
    QTextDocument* memoText = c_.memo->document();
    memoBytes_.reset(*memoText);
    connect(memoText, &QTextDocument::contentsChange, this,
            [this, memoText](int position, int removed, int added) {
                memoBytes_.contentsChanged(*memoText, position, removed, added);
            });
    connect(document_, &Document::textReplaced, this, &MainWindow::showTimeEstimate);
    connect(document_, &Document::textChanged, this, &MainWindow::showTimeEstimate);
    connect(document_, &Document::nameChanged, this, [this] {
        setWindowTitle(document_->caption());
        settings_.noteOpened(document_->path());
    });
    connect(document_, &Document::notice, this, [this](const QString& text) { showNotice(text); });
}

void MainWindow::newDocument() {
    if (!performance_->performing()) document_->startNew();
}

void MainWindow::applyBackingPreset(int number) {
    const int preset = presets_ != nullptr ? presets_->backingPreset(number)
                                           : PresetSelections{}.backing[static_cast<std::size_t>(number - 1)];
    c_.options.setValue(OptionId::BackingInstrument, preset);
}

void MainWindow::applySoloPreset(int number) {
    const int preset = presets_ != nullptr ? presets_->soloPreset(number)
                                           : PresetSelections{}.solo[static_cast<std::size_t>(number - 1)];
    c_.options.setValue(OptionId::SoloInstrument, preset);
}

void MainWindow::showPresets() {
    if (presets_ == nullptr) return;
    presets_->show();
    presets_->raise();
}

void MainWindow::fillRecentDocuments() {
    QMenu* recent = commands_->recentDocuments();
    recent->clear();
    int number = 0;
    for (const std::string& path : settings_.recent()) {
        if (++number > kRecentShown) break;
        const QString name = QString::fromStdString(path);
        QAction* item = recent->addAction(QStringLiteral("&%1 %2").arg(number).arg(name));
        connect(item, &QAction::triggered, this, [this, path] {
            if (document_->maySetAside()) document_->open(path);
        });
    }
    if (number == 0) recent->addAction(tr("（なし）"))->setEnabled(false);
}

}  // namespace velmora
