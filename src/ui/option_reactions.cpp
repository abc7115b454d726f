// What an option's change does besides reaching the performance options,
// which the binder copies them into.
#include <QLabel>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "mapping/note_names.h"
#include "ui/engine_texts.h"
#include "ui/main_window.h"
#include "ui/option_binder.h"

namespace velmora {

void TForm1::connectOptionReactions() {
    binder_ = new OptionBinder(performance_->options(), c_.options, this);
    for (OptionId id : {OptionId::ScalePattern, OptionId::TonicOnE, OptionId::KeyShift})
        binder_->onChange(id, [this] { showKey(); });
    binder_->onChange(OptionId::RhythmItem, [this] { performance_->rhythmChanged(); });
    binder_->onChange(OptionId::TickMs, [this] { tempoChanged(); });
}

void TForm1::showKey() {
    const PerformanceOptions& o = options();
    c_.statusPattern->setText(engineText(o.patternName()));
    const std::uint8_t key = o.keyNote();
    performance_->state().keyNote = key;
    c_.Label9->setText(QString::fromStdString(keyName(key)));
}

void TForm1::tempoChanged() {
    performance_->tempoChanged();
    UpdateTimeEstimate();
    describeTempo();
}

void TForm1::describeTempo() {
    // The value is the length of one step of the text in milliseconds; a step
    // counts as an eighth note, as in the exported scores.
    QSpinBox* tempo = c_.options.spinEdit(OptionId::TickMs);
    const int bpm = static_cast<int>(std::lround(30000.0 / std::max(1, tempo->value())));
    tempo->setToolTip(tr("1 音の長さ（ミリ秒）。大きいほどゆっくりです。今は ♩ = %1 (1 音を八分音符として)").arg(bpm));
}

}  // namespace velmora
