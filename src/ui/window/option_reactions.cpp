// What an option's change does besides reaching the performance options,
// which the binder copies them into.
#include <QLabel>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "mapping/note_names.h"
#include "ui/controls/option_binder.h"
#include "ui/settings/engine_texts.h"
#include "ui/window/main_window.h"

namespace velmora {

void MainWindow::connectOptionReactions() {
    binder_ = new OptionBinder(performance_->options(), c_.options, this);
    for (OptionId id : {OptionId::ScalePattern, OptionId::TonicOnE, OptionId::KeyShift})
        binder_->onChange(id, [this] { showKey(); });
    binder_->onChange(OptionId::RhythmItem, [this] { performance_->rhythmChanged(); });
    binder_->onChange(OptionId::TickMs, [this] { tempoChanged(); });
}

void MainWindow::showKey() {
    const PerformanceOptions& o = options();
    c_.statusPattern->setText(engineText(o.patternName()));
    const std::uint8_t key = o.keyNote();
    performance_->state().keyNote = key;
    c_.keyName->setText(QString::fromStdString(keyName(key)));
}

void MainWindow::tempoChanged() {
    performance_->tempoChanged();
    showTimeEstimate();
    describeTempo();
}

void MainWindow::describeTempo() {
    // The value is the length of one step of the text in milliseconds; a step
    // counts as an eighth note, as in the exported scores.
    QSpinBox* tempo = c_.options.spinEdit(OptionId::TickMs);
    const int bpm = static_cast<int>(std::lround(30000.0 / std::max(1, tempo->value())));
    tempo->setToolTip(
        tr("1 音の長さ（ミリ秒）。大きいほどゆっくりです。今は ♩ = %1 (1 音を八分音符として)").arg(bpm));
}

}  // namespace velmora
