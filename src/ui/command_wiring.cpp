// The window's commands: buttons, shortcuts, the solo menu and the memo's events.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>

#include <QTextDocument>
#include "ui/main_window.h"
#include "ui/memo_edit.h"
#include "ui/preset_dialog.h"

namespace velmora {

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
    QWidget* solo = c_.options.widget(OptionId::SoloInstrument);
    connect(solo, &QWidget::customContextMenuRequested, this,
            [this, solo](QPoint at) { c_.PopupMenu1->popup(solo->mapToGlobal(at)); });

    buildMenus();

    QTextDocument* memoText = c_.Memo1->document();
    memoBytes_.reset(*memoText);
    connect(memoText, &QTextDocument::contentsChange, this, [this, memoText](int position, int removed, int added) {
        memoBytes_.contentsChanged(*memoText, position, removed, added);
    });
    connect(c_.Memo1, &QPlainTextEdit::textChanged, this, &TForm1::Memo1Change);
    connect(c_.Memo1, &MemoEdit::pointerMoved, this, &TForm1::Memo1MouseMove);
    connect(c_.Memo1, &MemoEdit::filesDropped, this, &TForm1::dropFiles);
}

void TForm1::preClick(int number) {
    const int preset = presets_ != nullptr ? presets_->backingPreset(number)
                                           : PresetSelections{}.backing[static_cast<std::size_t>(number - 1)];
    c_.options.setValue(OptionId::BackingInstrument, preset);
}

void TForm1::soloMenuClick(int number) {
    const int preset = presets_ != nullptr ? presets_->soloPreset(number)
                                           : PresetSelections{}.solo[static_cast<std::size_t>(number - 1)];
    c_.options.setValue(OptionId::SoloInstrument, preset);
}

void TForm1::Button1Click() {
    if (presets_ == nullptr) return;
    presets_->show();
    presets_->raise();
}

}  // namespace velmora
