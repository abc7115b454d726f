// The settings files: the controls are the settings. A load sets the controls
// in a fixed order, and their handlers bring the options along.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <filesystem>

#include "documents/settings.h"
#include "ui/main_window.h"

namespace velmora {

namespace {

// Item index -1 (or any index outside the items) leaves no pattern selected.
void selectPattern(QButtonGroup& group, int index) {
    if (QAbstractButton* item = group.button(index)) {
        item->setChecked(true);
        return;
    }
    if (QAbstractButton* checked = group.checkedButton()) {
        group.setExclusive(false);
        checked->setChecked(false);
        group.setExclusive(true);
    }
}

}  // namespace

void TForm1::applyLoadedSettings(const LoadedSettings& loaded, bool takeLatestDocument) {
    const PerformanceOptions& values = loaded.config;
    std::string candidate;
    if (loaded.global) {
        move(loaded.global->left, y());
        move(x(), loaded.global->top);
        if (loaded.global->width > 0 && loaded.global->height > 0)
            resize(QSize(loaded.global->width, loaded.global->height).expandedTo(minimumSize()));
        keepOnScreen();
        c_.crept->setChecked(loaded.global->repeat);
        candidate = loaded.global->latest;
    }
    c_.gakki->setCurrentIndex(values.gakki);
    c_.solo->setCurrentIndex(values.solo);
    c_.volsolo->setValue(values.volsolo);
    c_.volback->setValue(values.volback);
    PerformanceOptions& current = performance_->options();
    current.volsolo = c_.volsolo->value();
    current.volback = c_.volback->value();
    c_.SpinEdit2->setValue(values.tempo);
    c_.SpinEdit3->setValue(values.reverb);
    c_.SpinEdit1->setValue(values.reverbSolo);
    selectPattern(*c_.patern, values.patern);
    paternClick();
    c_.shicut->setValue(values.shicut);
    c_.slowcut->setValue(values.slowcut);
    c_.shicuts->setValue(values.shicuts);
    c_.slowcuts->setValue(values.slowcuts);
    c_.ckeyup->setValue(values.ckeyup);
    c_.cryzm->setCurrentIndex(values.cryzm);
    cryzmChange();
    c_.hiwaon->setChecked(values.hiwaon);
    current.hiwaon = c_.hiwaon->isChecked();
    c_.retonic->setChecked(values.retonic);
    retonicClick();
    c_.octwaon->setChecked(values.octwaon);
    current.octwaon = c_.octwaon->isChecked();
    c_.chicut->setChecked(values.chicut);
    current.chicut = c_.chicut->isChecked();
    c_.clowcut->setChecked(values.clowcut);
    current.clowcut = c_.clowcut->isChecked();
    c_.chicut2->setChecked(values.chicut2);
    current.chicut2 = c_.chicut2->isChecked();
    c_.clowcut2->setChecked(values.clowcut2);
    current.clowcut2 = c_.clowcut2->isChecked();
    c_.ctopryzm->setChecked(values.ctopryzm);
    ctopryzmClick();
    c_.C2chan->setChecked(values.c2chan);
    C2chanClick();
    c_.moreon->setChecked(values.moreon);
    current.moreon = c_.moreon->isChecked();
    c_.cjump->setChecked(values.cjump);
    current.cjump = c_.cjump->isChecked();
    c_.coctdown->setChecked(values.coctdown);
    coctdownClick();
    c_.enryzm->setValue(values.enryzm);
    std::error_code error;
    if (takeLatestDocument && !candidate.empty() && std::filesystem::is_regular_file(candidate, error))
        document_.setPath(candidate);
}

}  // namespace velmora
