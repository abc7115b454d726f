#include "ui/controls/number_field.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr int kTypedLimit = 99999;  // what the field holds while the user types
}

NumberField::NumberField(QWidget* parent, int low, int high) : QSpinBox(parent), low_(low), high_(high) {
    setRange(-kTypedLimit, kTypedLimit);
    connect(this, &QSpinBox::editingFinished, this, &NumberField::clampIntoRange);
}

void NumberField::stepBy(int steps) { setValue(std::clamp(value() + steps * singleStep(), low_, high_)); }

QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < high_) enabled |= StepUpEnabled;
    if (value() > low_) enabled |= StepDownEnabled;
    return enabled;
}

void NumberField::focusOutEvent(QFocusEvent* event) {
    QSpinBox::focusOutEvent(event);
    clampIntoRange();
}

void NumberField::clampIntoRange() {
    const int clamped = std::clamp(value(), low_, high_);
    if (clamped != value()) setValue(clamped);
}

}  // namespace velmora
