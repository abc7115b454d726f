#pragma once

#include <array>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QToolButton;
class QWidget;

namespace velmora {

class MemoEdit;
class RollView;

// Every control of the main window, by the name the settings and handlers use.
// Built by buildMainControls(); the widgets belong to the window.
struct MainControls {
    MemoEdit* Memo1 = nullptr;
    RollView* roll = nullptr;  // the piano roll under the memo
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;

    // Options.
    QGroupBox* paternBox = nullptr;
    QButtonGroup* patern = nullptr;  // ids 0..11
    QComboBox* cryzm = nullptr;
    QSpinBox* SpinEdit2 = nullptr;  // tempo
    QSpinBox* enryzm = nullptr;
    QSpinBox* ckeyup = nullptr;
    QCheckBox* hiwaon = nullptr;
    QCheckBox* octwaon = nullptr;
    QCheckBox* coctdown = nullptr;
    QCheckBox* moreon = nullptr;
    QCheckBox* cjump = nullptr;
    QCheckBox* ctopryzm = nullptr;
    QCheckBox* retonic = nullptr;
    QCheckBox* crept = nullptr;
    QCheckBox* C2chan = nullptr;
    QComboBox* gakki = nullptr;
    QComboBox* solo = nullptr;
    QCheckBox* chicut = nullptr;
    QSpinBox* shicut = nullptr;
    QCheckBox* clowcut = nullptr;
    QSpinBox* slowcut = nullptr;
    QCheckBox* chicut2 = nullptr;
    QSpinBox* shicuts = nullptr;
    QCheckBox* clowcut2 = nullptr;
    QSpinBox* slowcuts = nullptr;
    QSpinBox* volsolo = nullptr;
    QSpinBox* volback = nullptr;
    QSpinBox* SpinEdit3 = nullptr;  // backing reverb
    QSpinBox* SpinEdit1 = nullptr;  // solo reverb

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
