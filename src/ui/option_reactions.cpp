// What an option's change does besides reaching the performance options,
// which the binder copies them into.
#include <QLabel>

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
}

}  // namespace velmora
