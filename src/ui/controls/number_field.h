#pragma once

#include <QSpinBox>

namespace velmora {

// A number field that takes typed digits as they stand, also outside its range,
// so that the options follow the typing at once; leaving the field (or Enter)
// clamps the value into the range, and the arrows never step out of it.
class NumberField final : public QSpinBox {
public:
    NumberField(QWidget* parent, int low, int high);

    int low() const { return low_; }
    int high() const { return high_; }
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void clampIntoRange();

    int low_;
    int high_;
};

}  // namespace velmora
