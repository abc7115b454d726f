#pragma once

#include <array>

#include "ui/controls/option_widgets.h"

class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QWidget;

namespace velmora {

class CommandRegistry;
class MemoEdit;
class RollView;

// Every control of the main window, built by buildMainControls(); the widgets
// belong to the window.
struct MainControls {
    MemoEdit* memo = nullptr;
    RollView* roll = nullptr;           // the piano roll under the memo
    QFrame* controlPanel = nullptr;     // everything under the memo and the roll
    QFrame* instrumentPanel = nullptr;  // instruments, ranges, volumes, reverbs

    // Options, by option id.
    OptionWidgets options;

    // The buttons of commands, each showing its command's action.
    QPushButton* openButton = nullptr;
    QPushButton* saveAsButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* playButton = nullptr;      // Play / Stop
    QPushButton* linePlayButton = nullptr;  // LinePlay / Stop
    QPushButton* pauseButton = nullptr;     // Pause / Continue
    QPushButton* midiButton = nullptr;
    QPushButton* wavButton = nullptr;
    QPushButton* outputButton = nullptr;
    std::array<QPushButton*, 6> presetButtons{};  // the backing presets 1..6
    QPushButton* presetsButton = nullptr;         // "?": the range table and the presets
    QMenu* soloPresetMenu = nullptr;              // the solo instrument's context menu

    // Displays.
    QLabel* estimatedTime = nullptr;
    QLabel* elapsedTime = nullptr;
    QLabel* keyName = nullptr;
    QLabel* pointerNotes = nullptr;     // the notes of the characters under the mouse pointer
    QLabel* statusPattern = nullptr;    // status panel 0
    QLabel* statusTransport = nullptr;  // status panel 1
    QLabel* statusNotice = nullptr;     // output, document and export notices
};

// Creates the controls in their initial states inside `central`, the status
// bar panels inside `statusBar`, and binds the buttons to their commands.
MainControls buildMainControls(QWidget& central, QStatusBar& statusBar, const CommandRegistry& commands);

}  // namespace velmora
