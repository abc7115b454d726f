// What an option's change does besides reaching the performance options,
// which the binder copies them into.
#include <QLabel>

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
}

}  // namespace velmora
