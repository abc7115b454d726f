#include "ui/commands/command_registry.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <algorithm>

#include "engine/transport_display.h"

namespace velmora {

namespace {

// One command. Texts are the window's source texts; those marked are
// translated. A command with a button shows `buttonText` there and `hint` as
// the button's tooltip; the menu shows `menuText`.
struct CommandRow {
    Command id;
    const char* name;
    const char* menuText;
    const char* buttonText = nullptr;
    const char* hint = nullptr;
    int keys = 0;  // a QKeySequence's combined key, 0 for none
    const char* statusTip = nullptr;
    bool checkable = false;
    QKeySequence::StandardKey standardKeys = QKeySequence::UnknownKey;  // the desktop's keys, when set
};

constexpr int keys(QKeyCombination combination) { return combination.toCombined(); }

// In Command order. Play, LinePlay and Pause keep their English captions in
// every language, as the transport names them.
constexpr CommandRow kCommands[] = {
    {Command::NewDocument, "newDocument", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "新規(&N)"), nullptr,
     nullptr, keys(Qt::CTRL | Qt::Key_N)},
    {Command::OpenDocument, "openDocument", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "開く(&O)..."),
     "Open", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "開く (Ctrl+O)"), keys(Qt::CTRL | Qt::Key_O),
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "既存のファイルを開く")},
    {Command::SaveDocument, "saveDocument", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "保存(&S)"), "Save",
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "上書き保存 (Ctrl+S)"), keys(Qt::CTRL | Qt::Key_S)},
    {Command::SaveDocumentAs, "saveDocumentAs",
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "名前を付けて保存(&A)..."), "Save as",
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "名前をつけて保存 (Ctrl+Shift+S)"),
     keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
    {Command::ExportMidi, "exportMidi", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "MIDI書き出し(&M)..."),
     "Midi", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "MIDIファイルとして保存する")},
    {Command::ExportAudio, "exportWav", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "WAV書き出し(&W)..."),
     "Wav", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "WAVファイルとして保存する")},
    {Command::ExportScore, "exportScore",
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "楽譜書き出し(&E)...")},
    {Command::MidiLyrics, "midiLyrics",
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "MIDI に歌詞を入れる(&L)"), nullptr, nullptr, 0,
     QT_TRANSLATE_NOOP("velmora::CommandRegistry",
                       "MIDI 書き出しで、メロディの音ごとにその文字を歌詞として書き込みます"),
     true},
    {Command::Quit, "quit", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "終了(&Q)"), nullptr, nullptr,
     keys(Qt::CTRL | Qt::Key_Q)},
    {Command::Undo, "undo", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "元に戻す(&U)"), nullptr, nullptr,
     0, nullptr, false, QKeySequence::Undo},
    // Ctrl+Y, and Ctrl+Shift+Z as other editors have it: set in the constructor.
    {Command::Redo, "redo", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "やり直し(&R)")},
    {Command::Cut, "cut", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "切り取り(&T)"), nullptr, nullptr, 0,
     nullptr, false, QKeySequence::Cut},
    {Command::Copy, "copy", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "コピー(&C)"), nullptr, nullptr, 0,
     nullptr, false, QKeySequence::Copy},
    {Command::Paste, "paste", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "貼り付け(&P)"), nullptr, nullptr,
     0, nullptr, false, QKeySequence::Paste},
    {Command::SelectAll, "selectAll", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "すべて選択(&A)"),
     nullptr, nullptr, 0, nullptr, false, QKeySequence::SelectAll},
    {Command::Find, "find", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "検索(&F)..."), nullptr, nullptr, 0,
     nullptr, false, QKeySequence::Find},
    {Command::FindNext, "findNext", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "次を検索(&N)"), nullptr,
     nullptr, 0, nullptr, false, QKeySequence::FindNext},
    {Command::Play, "play", "Play", "Play", "Play/Stop (F5)", Qt::Key_F5},
    {Command::LinePlay, "linePlay", "LinePlay", "LinePlay", "LinePlay/Stop (F6)", Qt::Key_F6},
    {Command::Pause, "pause", "Pause", "Pause", "Pause/Continue (F7)", Qt::Key_F7},
    {Command::SilenceChord, "silenceChord", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "消音"), nullptr,
     nullptr, Qt::Key_Escape},
    {Command::TypingSound, "typingSound", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "打鍵で鳴らす"),
     nullptr,
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "演奏していないとき、メモに打った文字をすぐに鳴らします"),
     0, nullptr, true},
    {Command::ChooseOutput, "chooseOutput", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "出力…"),
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "出力…"),
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "音の出力先とサウンドフォントを選ぶ")},
    {Command::ShowPresets, "showPresets", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "プリセット"), "?",
     QT_TRANSLATE_NOOP("velmora::CommandRegistry", "楽器の音域表示")},
    {Command::About, "about", QT_TRANSLATE_NOOP("velmora::CommandRegistry", "Velmoraについて(&A)")},
};

constexpr bool inCommandOrder() {
    std::size_t index = 0;
    for (const CommandRow& row : kCommands) {
        if (row.id != static_cast<Command>(index++)) return false;
    }
    return index == kCommandCount;
}
static_assert(inCommandOrder(), "every command has one row, in Command order");

bool validPreset(int number) { return number >= 1 && number <= CommandRegistry::kPresetCount; }

}  // namespace

CommandRegistry::CommandRegistry(QWidget& window) : QObject(&window) {
    for (const CommandRow& row : kCommands) {
        auto* action = new QAction(tr(row.menuText), &window);
        action->setObjectName(row.name);
        if (row.buttonText != nullptr) action->setIconText(tr(row.buttonText));
        if (row.hint != nullptr) action->setToolTip(tr(row.hint));
        if (row.statusTip != nullptr) action->setStatusTip(tr(row.statusTip));
        if (row.keys != 0) action->setShortcut(QKeySequence(row.keys));
        if (row.standardKeys != QKeySequence::UnknownKey) action->setShortcuts(row.standardKeys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(row.checkable);
        actions_[static_cast<std::size_t>(row.id)] = action;
    }
    action(Command::Redo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
#ifndef VELMORA_HAVE_SOUND
    action(Command::ExportAudio)->setVisible(false);  // no synthesizer to render with
#endif
    for (int number = 1; number <= kPresetCount; ++number) {
        const auto slot = static_cast<std::size_t>(number - 1);
        backingPresets_[slot] = new QAction(&window);
        backingPresets_[slot]->setObjectName(QStringLiteral("backingPreset%1").arg(number));
        soloPresets_[slot] = new QAction(&window);
        soloPresets_[slot]->setObjectName(QStringLiteral("soloPreset%1").arg(number));
    }
    recentDocuments_ = new QMenu(tr("最近使ったファイル(&R)"), &window);
    recentDocuments_->setObjectName("recentMenu");
}

QAction* CommandRegistry::backingPreset(int number) const {
    return validPreset(number) ? backingPresets_[static_cast<std::size_t>(number - 1)] : nullptr;
}

QAction* CommandRegistry::soloPreset(int number) const {
    return validPreset(number) ? soloPresets_[static_cast<std::size_t>(number - 1)] : nullptr;
}

void CommandRegistry::followTransport(const TransportDisplay& shown) {
    action(Command::Play)->setIconText(QString::fromStdString(shown.playCaption));
    action(Command::LinePlay)->setIconText(QString::fromStdString(shown.linePlayCaption));
    action(Command::Pause)->setIconText(QString::fromStdString(shown.pauseCaption));
    action(Command::Play)->setEnabled(shown.playEnabled);
    action(Command::LinePlay)->setEnabled(shown.linePlayEnabled);
    // Opening is locked however it is asked for; so is the choice of the
    // output, which a running performance holds.
    for (const Command command : {Command::NewDocument, Command::OpenDocument, Command::ChooseOutput})
        action(command)->setEnabled(shown.openEnabled);
    recentDocuments_->setEnabled(shown.openEnabled);
    action(Command::SaveDocumentAs)->setEnabled(shown.saveAsEnabled);
    action(Command::SaveDocument)->setEnabled(shown.saveEnabled);
    for (QAction* preset : backingPresets_) preset->setEnabled(shown.presetsEnabled);
}

}  // namespace velmora
