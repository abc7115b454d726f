#pragma once

#include <QString>
#include <array>
#include <functional>

#include "options/option_table.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QObject;
class QSpinBox;
class QWidget;

namespace velmora {

// The main window's option controls, made from the option table and the
// window's presentation of it, and reached by option id. Each control reads
// and sets its option's value: a check box 0 or 1, a spin edit its number, a
// combo box or the pattern group its item index (-1 for none).
class OptionWidgets {
public:
    // Makes the option's control in its initial state, and the label before
    // it when it has one, as children of `parent`; returns what shows.
    QWidget* make(OptionId id, QWidget* parent);

    QWidget* widget(OptionId id) const { return widgets_[index(id)]; }
    QLabel* label(OptionId id) const { return labels_[index(id)]; }
    QCheckBox* checkBox(OptionId id) const;
    QSpinBox* spinEdit(OptionId id) const;
    QComboBox* comboBox(OptionId id) const;
    QButtonGroup* patternGroup(OptionId id) const { return groups_[index(id)]; }

    int value(OptionId id) const;
    // As a user's change: the control's change signal follows when the value changes.
    void setValue(OptionId id, int value) const;
    // Calls `changed` with the option's id whenever a control's value changes,
    // and when the selected pattern is clicked again.
    void watch(QObject* context, const std::function<void(OptionId)>& changed) const;

private:
    static std::size_t index(OptionId id) { return static_cast<std::size_t>(id); }

    std::array<QWidget*, kOptionCount> widgets_{};
    std::array<QLabel*, kOptionCount> labels_{};
    std::array<QButtonGroup*, kOptionCount> groups_{};
};

// An option's text from the presentation table, in the window's language.
QString optionText(const char* source);

}  // namespace velmora
