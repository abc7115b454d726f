// The option controls: each change copies the control's value into the
// performance options, and a few handlers update what depends on it.
#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "mapping/note_names.h"
#include "ui/engine_texts.h"
#include "ui/main_window.h"

namespace velmora {

namespace {

// Runs `copy` whenever the check box changes, by the user or by a settings load.
template <typename Copy>
void onToggle(QCheckBox* box, QObject* context, Copy copy) {
    QObject::connect(box, &QCheckBox::toggled, context, copy);
}

template <typename Copy>
void onValue(QSpinBox* spin, QObject* context, Copy copy) {
    QObject::connect(spin, &QSpinBox::valueChanged, context, copy);
}

template <typename Copy>
void onIndex(QComboBox* combo, QObject* context, Copy copy) {
    QObject::connect(combo, &QComboBox::currentIndexChanged, context, copy);
}

}  // namespace

void TForm1::connectOptionHandlers() {
    PerformanceOptions& o = performance_->options();
    // Handlers that only copy their control.
    onToggle(c_.hiwaon, this, [&o](bool on) { o.hiwaon = on; });          // hiwaonClick
    onToggle(c_.moreon, this, [&o](bool on) { o.moreon = on; });          // moreonClick
    onToggle(c_.cjump, this, [&o](bool on) { o.cjump = on; });            // cjumpClick
    onToggle(c_.chicut, this, [&o](bool on) { o.chicut = on; });          // chicutClick
    onToggle(c_.clowcut, this, [&o](bool on) { o.clowcut = on; });        // clowcutClick
    onToggle(c_.chicut2, this, [&o](bool on) { o.chicut2 = on; });        // chicut2Click
    onToggle(c_.clowcut2, this, [&o](bool on) { o.clowcut2 = on; });      // clowcut2Click
    onValue(c_.shicut, this, [&o](int value) { o.shicut = value; });      // shicutChange
    onValue(c_.slowcut, this, [&o](int value) { o.slowcut = value; });    // slowcutChange
    onValue(c_.shicuts, this, [&o](int value) { o.shicuts = value; });    // shicutsChange
    onValue(c_.slowcuts, this, [&o](int value) { o.slowcuts = value; });  // slowcutsChange
    onValue(c_.volsolo, this, [&o](int value) { o.volsolo = value; });    // volsoloChange
    onValue(c_.volback, this, [&o](int value) { o.volback = value; });    // volbackChange
    // Controls the engine reads as they stand.
    onToggle(c_.octwaon, this, [&o](bool on) { o.octwaon = on; });
    onToggle(c_.crept, this, [&o](bool on) { o.crept = on; });
    onValue(c_.enryzm, this, [&o](int value) { o.enryzm = value; });
    onValue(c_.SpinEdit3, this, [&o](int value) { o.reverb = value; });
    onValue(c_.SpinEdit1, this, [&o](int value) { o.reverbSolo = value; });
    onIndex(c_.gakki, this, [&o](int index) { o.gakki = index; });
    onIndex(c_.solo, this, [&o](int index) { o.solo = index; });
    // Handlers with further effects.
    onToggle(c_.coctdown, this, [this](bool) { coctdownClick(); });
    onToggle(c_.ctopryzm, this, [this](bool) { ctopryzmClick(); });
    onToggle(c_.retonic, this, [this](bool) { retonicClick(); });
    onToggle(c_.C2chan, this, [this](bool) { C2chanClick(); });
    onValue(c_.ckeyup, this, [this](int) { ckeyupChange(); });
    onValue(c_.SpinEdit2, this, [this](int) { SpinEdit2Change(); });
    onIndex(c_.cryzm, this, [this](int) { cryzmChange(); });
    // A click on the selected item shows the pattern again; a settings load
    // selects an item without a click.
    connect(c_.patern, &QButtonGroup::idClicked, this, [this](int) { paternClick(); });
    connect(c_.patern, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) paternClick();
    });
}

void TForm1::paternClick() {
    PerformanceOptions& o = performance_->options();
    o.patern = c_.patern->checkedId();
    c_.statusPattern->setText(engineText(patternName(o.patern)));
    const std::uint8_t key = keyNote(o.patern, o.tonicMode(), o.keyShift());
    performance_->state().keyNote = key;
    c_.Label9->setText(QString::fromStdString(keyName(key)));
}

void TForm1::retonicClick() {
    performance_->options().retonic = c_.retonic->isChecked();
    paternClick();
}

void TForm1::ckeyupChange() {
    performance_->options().ckeyup = c_.ckeyup->value();
    paternClick();
}

void TForm1::cryzmChange() {
    selectRhythm(performance_->options(), c_.cryzm->currentIndex());
    performance_->rhythmChanged();
}

void TForm1::SpinEdit2Change() {
    performance_->options().tempo = c_.SpinEdit2->value();
    performance_->tempoChanged();
    UpdateTimeEstimate();
}

void TForm1::C2chanClick() {
    performance_->options().c2chan = c_.C2chan->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{c_.clowcut2, c_.chicut2, c_.slowcuts, c_.shicuts}) {
        control->setEnabled(options().c2chan);
    }
    performance_->twoChannelsChanged();  // enables the solo instrument while no performance runs
}

void TForm1::coctdownClick() { performance_->options().coctdown = c_.coctdown->isChecked(); }

void TForm1::ctopryzmClick() { performance_->options().ctopryzm = c_.ctopryzm->isChecked(); }

void TForm1::Action1Execute() { performance_->silenceChord(); }

}  // namespace velmora
