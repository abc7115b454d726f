#pragma once

#include <QObject>
#include <array>
#include <cstddef>

class QAction;
class QMenu;
class QWidget;

namespace velmora {

struct TransportDisplay;

// The window's commands: each is one QAction that its menu item, its button
// and its shortcut share, so that all of them are enabled, checked and
// captioned alike. A new command is a row of the table in
// command_registry.cpp, a place in a menu (window_menus.cpp) and a handler
// the window connects.
enum class Command {
    NewDocument,
    OpenDocument,
    SaveDocument,
    SaveDocumentAs,
    ExportMidi,
    ExportAudio,
    ExportScore,
    MidiLyrics,  // checkable: the MIDI export writes the characters as lyrics
    Quit,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Find,
    FindNext,
    Play,
    LinePlay,
    Pause,
    SilenceChord,
    TypingSound,  // checkable: typed characters sound while no performance runs
    ChooseOutput,
    ShowPresets,
    About,
};
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::About) + 1;

class CommandRegistry final : public QObject {
    Q_OBJECT

public:
    static constexpr int kPresetCount = 6;

    // The actions belong to `window`, so that their shortcuts work wherever
    // the window has the focus. Each action's object name is its command's.
    explicit CommandRegistry(QWidget& window);

    QAction* action(Command command) const { return actions_[static_cast<std::size_t>(command)]; }
    // The instrument presets, numbered 1..6: the backing presets' buttons
    // and the solo instrument's menu. Each action's text names the instrument
    // the preset applies.
    QAction* backingPreset(int number) const;
    QAction* soloPreset(int number) const;
    // The recent documents, filled by the window each time the menu opens.
    QMenu* recentDocuments() const { return recentDocuments_; }

    // The one place where the commands follow the transport: which take
    // input, and the captions of Play, LinePlay and Pause.
    void followTransport(const TransportDisplay& shown);

private:
    std::array<QAction*, kCommandCount> actions_{};
    std::array<QAction*, kPresetCount> backingPresets_{};
    std::array<QAction*, kPresetCount> soloPresets_{};
    QMenu* recentDocuments_ = nullptr;
};

}  // namespace velmora
