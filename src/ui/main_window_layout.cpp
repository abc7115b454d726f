#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "documents/settings.h"
#include "engine/transport_display.h"
#include "ui/control_factory.h"
#include "ui/elided_label.h"
#include "ui/engine_texts.h"
#include "ui/gm_program_names.h"
#include "ui/main_controls.h"
#include "ui/memo_edit.h"
#include "ui/roll_view.h"

namespace velmora {

namespace {

// The preset buttons' hints and the solo menu's captions until the preset
// dialog is attached: the instruments the presets apply.
QString presetName(int program) {
    const QStringList names = gmProgramNameList();
    return program >= 0 && program < names.size() ? names.at(program) : QString();
}

void buildInstrumentPanel(MainControls& c) {
    QFrame* panel = c.Panel2;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);

    OptionWidgets& options = c.options;
    // The solo instrument's row above the backing (or only) instrument's: the
    // instrument over three columns, then the limits and the reverb.
    const auto placeRow = [&](int row, OptionId instrument, std::initializer_list<OptionId> rest) {
        grid->addWidget(options.make(instrument, panel), row, 0, 1, 3);
        int column = 3;
        for (OptionId id : rest) grid->addWidget(options.make(id, panel), row, column++);
    };
    placeRow(0, OptionId::SoloInstrument,
             {OptionId::SoloHighEnabled, OptionId::SoloHighNote, OptionId::SoloLowEnabled,
              OptionId::SoloLowNote, OptionId::MelodyReverb});
    placeRow(1, OptionId::BackingInstrument,
             {OptionId::BackingHighEnabled, OptionId::BackingHighNote, OptionId::BackingLowEnabled,
              OptionId::BackingLowNote, OptionId::BackingReverb});
    options.widget(OptionId::SoloInstrument)->setContextMenuPolicy(Qt::CustomContextMenu);

    QWidget* twoChannelsBox = options.make(OptionId::TwoChannels, panel);
    QWidget* melodyVelocitySpin = options.make(OptionId::MelodyVelocity, panel);
    QWidget* chordVelocitySpin = options.make(OptionId::ChordVelocity, panel);
    c.Label8 = whiteLabel(panel, "Label8", "");
    QFont noteFont = c.Label8->font();
    noteFont.setPixelSize(15);
    c.Label8->setFont(noteFont);
    c.Label8->setFixedSize(79, 19);
    c.Label8->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.Button1 =
        button(panel, "Button1", "?", QCoreApplication::translate("velmora::TForm1", "楽器の音域表示"));
    c.Button1->setFixedWidth(24);
    auto* reverbLabel = named(new QLabel("Reverb", panel), "Label5");

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    bottom->addWidget(twoChannelsBox);
    bottom->addWidget(options.label(OptionId::MelodyVelocity));
    bottom->addWidget(melodyVelocitySpin);
    bottom->addWidget(chordVelocitySpin);
    bottom->addWidget(c.Label8);
    bottom->addWidget(c.Button1);
    bottom->addStretch();
    grid->addLayout(bottom, 2, 0, 1, 7);
    grid->addWidget(reverbLabel, 2, 7, Qt::AlignCenter);
    grid->setColumnStretch(8, 1);
}

QWidget* buildPresetButtons(QWidget* parent, MainControls& c) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 2, 0, 0);
    grid->setSpacing(2);
    static const char* const names[6] = {"pre1", "pre2", "pre3", "pre4", "pre5", "pre6"};
    for (int i = 0; i < 6; ++i) {
        auto* preset = button(box, names[i], QString::number(i + 1),
                              presetName(PresetSelections{}.backing[static_cast<std::size_t>(i)]));
        preset->setFixedSize(24, 24);
        c.pre[static_cast<std::size_t>(i)] = preset;
        grid->addWidget(preset, i / 3, i % 3);
    }
    grid->setRowStretch(2, 1);
    return box;
}

QWidget* buildCommandButtons(QWidget* parent, MainControls& c) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    c.BitBtn1 =
        button(row, "BitBtn1", "Open", QCoreApplication::translate("velmora::TForm1", "開く (Ctrl+O)"));
    c.BitBtn3 = button(row, "BitBtn3", "Save as",
                       QCoreApplication::translate("velmora::TForm1", "名前をつけて保存 (Ctrl+Shift+S)"));
    c.BitBtn6 =
        button(row, "BitBtn6", "Save", QCoreApplication::translate("velmora::TForm1", "上書き保存 (Ctrl+S)"));
    c.BitBtn2 = button(row, "BitBtn2", "Play", "Play/Stop (F5)");
    c.BitBtn5 = button(row, "BitBtn5", "LinePlay", "LinePlay/Stop (F6)");
    c.BitBtn4 = button(row, "BitBtn4", "Pause", "Pause/Continue (F7)");
    c.BitBtn7 = button(row, "BitBtn7", "Midi",
                       QCoreApplication::translate("velmora::TForm1", "MIDIファイルとして保存する"));
    c.wavButton = button(row, "wavButton", "Wav",
                         QCoreApplication::translate("velmora::TForm1", "WAVファイルとして保存する"));
    c.outputButton =
        button(row, "outputButton", QCoreApplication::translate("velmora::TForm1", "出力…"),
               QCoreApplication::translate("velmora::TForm1", "音の出力先とサウンドフォントを選ぶ"));
    for (QPushButton* command : {c.BitBtn1, c.BitBtn3, c.BitBtn6}) layout->addWidget(command);
    layout->addSpacing(4);
    for (QPushButton* command : {c.BitBtn2, c.BitBtn5, c.BitBtn4}) layout->addWidget(command);
    layout->addSpacing(4);
    for (QPushButton* command : {c.BitBtn7, c.wavButton, c.outputButton}) layout->addWidget(command);
    fitCaptions(c.BitBtn2, {"Play", "Stop"});
    fitCaptions(c.BitBtn5, {"LinePlay", "Stop"});
    fitCaptions(c.BitBtn4, {"Pause", "Continue"});
    for (QPushButton* command : {c.BitBtn1, c.BitBtn3, c.BitBtn6, c.BitBtn7, c.wavButton, c.outputButton})
        fitCaptions(command, {});
    return row;
}

QWidget* buildCheckBoxes(QWidget* parent, MainControls& c) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    // Two rows of four, in this order.
    const OptionId order[8] = {OptionId::ChordsAtWordStarts, OptionId::ThickChords,
                               OptionId::OctaveDown,         OptionId::UnassignedLettersStartWords,
                               OptionId::SkipRestsOnBeats,   OptionId::RhythmFromFirstCharacter,
                               OptionId::TonicOnE,           OptionId::RepeatAtEnd};
    for (int i = 0; i < 8; ++i) grid->addWidget(c.options.make(order[i], box), i / 4, i % 4);
    return box;
}

QWidget* buildTempoAndDisplays(QWidget* parent, MainControls& c) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    OptionWidgets& options = c.options;
    QWidget* rhythmCombo = options.make(OptionId::RhythmItem, box);
    QWidget* tempoSpin = options.make(OptionId::TickMs, box);
    QWidget* correctionSpin = options.make(OptionId::RhythmCorrection, box);
    QWidget* keyShiftSpin = options.make(OptionId::KeyShift, box);

    c.Label9 = whiteLabel(box, "Label9", "C");
    QFont keyFont = c.Label9->font();
    keyFont.setPixelSize(15);
    keyFont.setBold(true);
    c.Label9->setFont(keyFont);
    QPalette navy = c.Label9->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    c.Label9->setPalette(navy);
    c.Label9->setMinimumWidth(32);
    c.Label3 = whiteLabel(box, "Label3", "00 : 00");
    c.Label3->setToolTip(QCoreApplication::translate("velmora::TForm1", "演奏時間の目安"));
    c.Label4 = whiteLabel(box, "Label4", "00 : 00");
    c.Label4->setToolTip(QCoreApplication::translate("velmora::TForm1", "経過時間"));
    c.Label3->setMinimumWidth(56);
    c.Label4->setMinimumWidth(56);

    grid->addWidget(options.label(OptionId::RhythmItem), 0, 0);
    grid->addWidget(rhythmCombo, 0, 1, 1, 3);
    grid->addWidget(options.label(OptionId::TickMs), 1, 0);
    grid->addWidget(tempoSpin, 1, 1);
    grid->addWidget(options.label(OptionId::RhythmCorrection), 1, 2);
    grid->addWidget(correctionSpin, 1, 3);
    grid->addWidget(options.label(OptionId::KeyShift), 2, 0);
    grid->addWidget(keyShiftSpin, 2, 1);
    grid->addWidget(c.Label9, 2, 2, 1, 2);
    grid->addWidget(c.Label3, 3, 0, 1, 2);
    grid->addWidget(c.Label4, 3, 2, 1, 2);
    return box;
}

void buildSoloMenu(MainControls& c) {
    c.PopupMenu1 = new QMenu(c.options.widget(OptionId::SoloInstrument));
    c.PopupMenu1->setObjectName("PopupMenu1");
    static const char* const names[6] = {"N11", "N21", "N31", "N41", "N51", "N61"};
    for (int i = 0; i < 6; ++i) {
        QAction* item =
            c.PopupMenu1->addAction(presetName(PresetSelections{}.solo[static_cast<std::size_t>(i)]));
        item->setObjectName(names[i]);
        c.soloMenuItems[static_cast<std::size_t>(i)] = item;
    }
}

}  // namespace

MainControls buildMainControls(QWidget& central, QStatusBar& statusBar) {
    MainControls c;
    auto* outer = new QVBoxLayout(&central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The memo above, the piano roll below; the user moves the border between them.
    auto* split = named(new QSplitter(Qt::Vertical, &central), "memoAndRoll");
    c.Memo1 = new MemoEdit(split);
    c.roll = new RollView(split);
    split->addWidget(c.Memo1);
    split->addWidget(c.roll);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    c.roll->setMinimumHeight(100);
    split->setChildrenCollapsible(true);
    outer->addWidget(split, 1);

    c.Panel1 = named(new QFrame(&central), "Panel1");
    c.Panel1->setAutoFillBackground(true);
    outer->addWidget(c.Panel1, 0);
    c.Panel2 = named(new QFrame(c.Panel1), "Panel2");
    c.Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    c.Panel2->setAutoFillBackground(true);
    buildInstrumentPanel(c);
    buildSoloMenu(c);

    auto* panel = new QGridLayout(c.Panel1);
    panel->setContentsMargins(4, 4, 4, 4);
    panel->setHorizontalSpacing(6);
    panel->setVerticalSpacing(4);
    panel->addWidget(c.Panel2, 0, 0);
    panel->addWidget(buildPresetButtons(c.Panel1, c), 0, 1, Qt::AlignTop);
    panel->addWidget(c.options.make(OptionId::ScalePattern, c.Panel1), 0, 2);
    panel->addWidget(buildCommandButtons(c.Panel1, c), 1, 0, 1, 2);
    panel->addWidget(buildCheckBoxes(c.Panel1, c), 2, 0, 1, 2);
    panel->addWidget(buildTempoAndDisplays(c.Panel1, c), 1, 2, 2, 1);
    panel->setColumnStretch(0, 1);
    c.Panel1->setFixedHeight(c.Panel1->sizeHint().height());

    c.statusPattern = named(new QLabel(&statusBar), "statusPanel0");
    c.statusPattern->setMinimumWidth(250);
    c.statusTransport = named(new QLabel(engineText(kStatusResting), &statusBar), "statusPanel1");
    c.statusTransport->setMinimumWidth(50);
    c.statusNotice = named(new ElidedLabel(&statusBar), "statusNotice");
    statusBar.addWidget(c.statusPattern);
    statusBar.addWidget(c.statusTransport);
    statusBar.addWidget(c.statusNotice, 1);
    return c;
}

}  // namespace velmora
