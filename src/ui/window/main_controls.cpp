#include "ui/window/main_controls.h"

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
#include <string>

#include "engine/transport_display.h"
#include "ui/commands/command_button.h"
#include "ui/commands/command_registry.h"
#include "ui/controls/control_factory.h"
#include "ui/controls/elided_label.h"
#include "ui/memo/memo_edit.h"
#include "ui/roll/roll_view.h"
#include "ui/settings/engine_texts.h"

namespace velmora {

namespace {

// A button that shows and runs `action`.
QPushButton* commandButton(QWidget* parent, const char* name, QAction& action) {
    QPushButton* shown = button(parent, name, QString());
    bindButton(*shown, action);
    return shown;
}

void buildInstrumentPanel(MainControls& c, const CommandRegistry& commands) {
    QFrame* panel = c.instrumentPanel;
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
    c.pointerNotes = whiteLabel(panel, "pointerNotes", "");
    QFont noteFont = c.pointerNotes->font();
    noteFont.setPixelSize(15);
    c.pointerNotes->setFont(noteFont);
    c.pointerNotes->setFixedSize(79, 19);
    c.pointerNotes->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.presetsButton = commandButton(panel, "presetsButton", *commands.action(Command::ShowPresets));
    c.presetsButton->setFixedWidth(24);
    auto* reverbLabel = named(new QLabel("Reverb", panel), "reverbLabel");

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    bottom->addWidget(twoChannelsBox);
    bottom->addWidget(options.label(OptionId::MelodyVelocity));
    bottom->addWidget(melodyVelocitySpin);
    bottom->addWidget(chordVelocitySpin);
    bottom->addWidget(c.pointerNotes);
    bottom->addWidget(c.presetsButton);
    bottom->addStretch();
    grid->addLayout(bottom, 2, 0, 1, 7);
    grid->addWidget(reverbLabel, 2, 7, Qt::AlignCenter);
    grid->setColumnStretch(8, 1);
}

// The backing presets' buttons: each shows its number and names its instrument in its hint.
QWidget* buildPresetButtons(QWidget* parent, MainControls& c, const CommandRegistry& commands) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 2, 0, 0);
    grid->setSpacing(2);
    for (int i = 0; i < 6; ++i) {
        const std::string name = "presetButton" + std::to_string(i + 1);
        auto* preset = button(box, name.c_str(), QString::number(i + 1));
        bindButton(*preset, *commands.backingPreset(i + 1), ButtonShows::TextAsHint);
        preset->setFixedSize(24, 24);
        c.presetButtons[static_cast<std::size_t>(i)] = preset;
        grid->addWidget(preset, i / 3, i % 3);
    }
    grid->setRowStretch(2, 1);
    return box;
}

QWidget* buildCommandButtons(QWidget* parent, MainControls& c, const CommandRegistry& commands) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    const auto make = [&](const char* name, Command command) {
        return commandButton(row, name, *commands.action(command));
    };
    c.openButton = make("openButton", Command::OpenDocument);
    c.saveAsButton = make("saveAsButton", Command::SaveDocumentAs);
    c.saveButton = make("saveButton", Command::SaveDocument);
    c.playButton = make("playButton", Command::Play);
    c.linePlayButton = make("linePlayButton", Command::LinePlay);
    c.pauseButton = make("pauseButton", Command::Pause);
    c.midiButton = make("midiButton", Command::ExportMidi);
    c.wavButton = make("wavButton", Command::ExportAudio);
    c.outputButton = make("outputButton", Command::ChooseOutput);
    for (QPushButton* command : {c.openButton, c.saveAsButton, c.saveButton}) layout->addWidget(command);
    layout->addSpacing(4);
    for (QPushButton* command : {c.playButton, c.linePlayButton, c.pauseButton}) layout->addWidget(command);
    layout->addSpacing(4);
    for (QPushButton* command : {c.midiButton, c.wavButton, c.outputButton}) layout->addWidget(command);
    fitCaptions(c.playButton, {"Play", "Stop"});
    fitCaptions(c.linePlayButton, {"LinePlay", "Stop"});
    fitCaptions(c.pauseButton, {"Pause", "Continue"});
    for (QPushButton* command :
         {c.openButton, c.saveAsButton, c.saveButton, c.midiButton, c.wavButton, c.outputButton})
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

    c.keyName = whiteLabel(box, "keyName", "C");
    QFont keyFont = c.keyName->font();
    keyFont.setPixelSize(15);
    keyFont.setBold(true);
    c.keyName->setFont(keyFont);
    QPalette navy = c.keyName->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    c.keyName->setPalette(navy);
    c.keyName->setMinimumWidth(32);
    c.estimatedTime = whiteLabel(box, "estimatedTime", "00 : 00");
    c.estimatedTime->setToolTip(QCoreApplication::translate("velmora::MainWindow", "演奏時間の目安"));
    c.elapsedTime = whiteLabel(box, "elapsedTime", "00 : 00");
    c.elapsedTime->setToolTip(QCoreApplication::translate("velmora::MainWindow", "経過時間"));
    c.estimatedTime->setMinimumWidth(56);
    c.elapsedTime->setMinimumWidth(56);

    grid->addWidget(options.label(OptionId::RhythmItem), 0, 0);
    grid->addWidget(rhythmCombo, 0, 1, 1, 3);
    grid->addWidget(options.label(OptionId::TickMs), 1, 0);
    grid->addWidget(tempoSpin, 1, 1);
    grid->addWidget(options.label(OptionId::RhythmCorrection), 1, 2);
    grid->addWidget(correctionSpin, 1, 3);
    grid->addWidget(options.label(OptionId::KeyShift), 2, 0);
    grid->addWidget(keyShiftSpin, 2, 1);
    grid->addWidget(c.keyName, 2, 2, 1, 2);
    grid->addWidget(c.estimatedTime, 3, 0, 1, 2);
    grid->addWidget(c.elapsedTime, 3, 2, 1, 2);
    return box;
}

// The solo instrument's context menu: the six solo presets.
void buildSoloPresetMenu(MainControls& c, const CommandRegistry& commands) {
    c.soloPresetMenu = new QMenu(c.options.widget(OptionId::SoloInstrument));
    c.soloPresetMenu->setObjectName("soloPresetMenu");
    for (int number = 1; number <= CommandRegistry::kPresetCount; ++number)
        c.soloPresetMenu->addAction(commands.soloPreset(number));
}

}  // namespace

MainControls buildMainControls(QWidget& central, QStatusBar& statusBar, const CommandRegistry& commands) {
    MainControls c;
    auto* outer = new QVBoxLayout(&central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The memo above, the piano roll below; the user moves the border between them.
    auto* split = named(new QSplitter(Qt::Vertical, &central), "memoAndRoll");
    c.memo = new MemoEdit(split);
    c.roll = new RollView(split);
    split->addWidget(c.memo);
    split->addWidget(c.roll);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    c.roll->setMinimumHeight(100);
    split->setChildrenCollapsible(true);
    outer->addWidget(split, 1);

    c.controlPanel = named(new QFrame(&central), "controlPanel");
    c.controlPanel->setAutoFillBackground(true);
    outer->addWidget(c.controlPanel, 0);
    c.instrumentPanel = named(new QFrame(c.controlPanel), "instrumentPanel");
    c.instrumentPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    c.instrumentPanel->setAutoFillBackground(true);
    buildInstrumentPanel(c, commands);
    buildSoloPresetMenu(c, commands);

    auto* panel = new QGridLayout(c.controlPanel);
    panel->setContentsMargins(4, 4, 4, 4);
    panel->setHorizontalSpacing(6);
    panel->setVerticalSpacing(4);
    panel->addWidget(c.instrumentPanel, 0, 0);
    panel->addWidget(buildPresetButtons(c.controlPanel, c, commands), 0, 1, Qt::AlignTop);
    panel->addWidget(c.options.make(OptionId::ScalePattern, c.controlPanel), 0, 2);
    panel->addWidget(buildCommandButtons(c.controlPanel, c, commands), 1, 0, 1, 2);
    panel->addWidget(buildCheckBoxes(c.controlPanel, c), 2, 0, 1, 2);
    panel->addWidget(buildTempoAndDisplays(c.controlPanel, c), 1, 2, 2, 1);
    panel->setColumnStretch(0, 1);
    c.controlPanel->setFixedHeight(c.controlPanel->sizeHint().height());

    c.statusPattern = named(new QLabel(&statusBar), "statusPattern");
    c.statusPattern->setMinimumWidth(250);
    c.statusTransport = named(new QLabel(engineText(kStatusResting), &statusBar), "statusTransport");
    c.statusTransport->setMinimumWidth(50);
    c.statusNotice = named(new ElidedLabel(&statusBar), "statusNotice");
    statusBar.addWidget(c.statusPattern);
    statusBar.addWidget(c.statusTransport);
    statusBar.addWidget(c.statusNotice, 1);
    return c;
}

}  // namespace velmora
