#pragma once

#include <array>

#include "ui/option_widgets.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QWidget;

namespace velmora {

class MemoEdit;
class RollView;

// Every control of the main window, built by buildMainControls(); the widgets
// belong to the window.
struct MainControls {
    MemoEdit* Memo1 = nullptr;
    RollView* roll = nullptr;  // the piano roll under the memo
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;

    // Options, by option id.
    OptionWidgets options;

    // Commands.
    QPushButton* BitBtn1 = nullptr;  // Open
    QPushButton* BitBtn3 = nullptr;  // Save as
    QPushButton* BitBtn6 = nullptr;  // Save
    QPushButton* BitBtn2 = nullptr;  // Play / Stop
    QPushButton* BitBtn5 = nullptr;  // LinePlay / Stop
    QPushButton* BitBtn4 = nullptr;  // Pause / Continue
    QPushButton* BitBtn7 = nullptr;  // Midi
    QPushButton* wavButton = nullptr;
    QPushButton* outputButton = nullptr;
    std::array<QPushButton*, 6> pre{};
    QPushButton* Button1 = nullptr;  // "?"
    QMenu* PopupMenu1 = nullptr;
    std::array<QAction*, 6> soloMenuItems{};  // N11, N21, ... N61

    // Displays.
    QLabel* Label3 = nullptr;           // estimated time
    QLabel* Label4 = nullptr;           // elapsed time
    QLabel* Label9 = nullptr;           // key
    QLabel* Label8 = nullptr;           // notes under the pointer
    QLabel* statusPattern = nullptr;    // status panel 0
    QLabel* statusTransport = nullptr;  // status panel 1
    QLabel* statusNotice = nullptr;     // output and encoding notices
};

// Creates the controls in their initial states inside `central`, and the
// status bar panels inside `statusBar`.
MainControls buildMainControls(QWidget& central, QStatusBar& statusBar);

}  // namespace velmora
