// The window's commands: buttons, shortcuts, the solo menu and the memo's events.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>

#include "ui/main_window.h"
#include "ui/memo_edit.h"
#include "ui/preset_dialog.h"

namespace velmora {

namespace {

QAction* shortcutAction(QWidget* window, const char* name, const QString& caption, const QKeySequence& keys) {
    auto* action = new QAction(caption, window);
    action->setObjectName(name);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

// A shortcut acts as its button would, and so not while the button is disabled.
void clickIfEnabled(QPushButton* button) {
    if (button->isEnabled()) button->click();
}

}  // namespace

void TForm1::connectCommands() {
    connect(c_.BitBtn1, &QPushButton::clicked, this, &TForm1::FileOpen1Execute);
    connect(c_.BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(c_.BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(c_.BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(c_.BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(c_.BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(c_.BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(c_.wavButton, &QPushButton::clicked, this, &TForm1::wavButtonClick);
#ifndef VELMORA_HAVE_SOUND
    c_.wavButton->hide();
#endif
    connect(c_.outputButton, &QPushButton::clicked, this, &TForm1::outputButtonClick);
    connect(c_.Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    for (int number = 1; number <= 6; ++number) {
        const auto slot = static_cast<std::size_t>(number - 1);
        connect(c_.pre[slot], &QPushButton::clicked, this, [this, number] { preClick(number); });
        connect(c_.soloMenuItems[slot], &QAction::triggered, this, [this, number] { soloMenuClick(number); });
    }
    connect(c_.solo, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { c_.PopupMenu1->popup(c_.solo->mapToGlobal(at)); });

    QAction* open = shortcutAction(this, "FileOpen1", "Open(&O)...", QKeySequence::Open);
    open->setStatusTip("既存のファイルを開く");
    connect(open, &QAction::triggered, this, &TForm1::FileOpen1Execute);
    connect(shortcutAction(this, "Action1", "Action1", Qt::Key_Escape), &QAction::triggered, this,
            &TForm1::Action1Execute);
    connect(shortcutAction(this, "playShortcut", "Play/Stop", Qt::Key_F5), &QAction::triggered, this,
            [this] { clickIfEnabled(c_.BitBtn2); });
    connect(shortcutAction(this, "linePlayShortcut", "LinePlay/Stop", Qt::Key_F6), &QAction::triggered, this,
            [this] { clickIfEnabled(c_.BitBtn5); });
    connect(shortcutAction(this, "pauseShortcut", "Pause/Continue", Qt::Key_F7), &QAction::triggered, this,
            [this] { clickIfEnabled(c_.BitBtn4); });

    connect(c_.Memo1, &QPlainTextEdit::textChanged, this, &TForm1::Memo1Change);
    connect(c_.Memo1, &MemoEdit::pointerMoved, this, &TForm1::Memo1MouseMove);
    connect(c_.Memo1, &MemoEdit::filesDropped, this, &TForm1::dropFiles);
}

void TForm1::preClick(int number) {
    const int preset = presets_ != nullptr ? presets_->backingPreset(number)
                                           : PresetSelections{}.backing[static_cast<std::size_t>(number - 1)];
    c_.gakki->setCurrentIndex(preset);
}

void TForm1::soloMenuClick(int number) {
    const int preset = presets_ != nullptr ? presets_->soloPreset(number)
                                           : PresetSelections{}.solo[static_cast<std::size_t>(number - 1)];
    c_.solo->setCurrentIndex(preset);
}

void TForm1::Button1Click() {
    if (presets_ == nullptr) return;
    presets_->show();
    presets_->raise();
}

}  // namespace velmora
