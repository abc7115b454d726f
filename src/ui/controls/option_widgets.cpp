#include "ui/controls/option_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <string>

#include "options/rhythm_grid.h"
#include "ui/controls/control_factory.h"
#include "ui/controls/option_presentation.h"
#include "ui/settings/engine_texts.h"

namespace velmora {

namespace {

QGroupBox* patternBox(const OptionDefinition& definition, const OptionPresentation& shown, QWidget* parent,
                      QButtonGroup*& group) {
    const std::string name(definition.name);
    auto* box = named(new QGroupBox(optionText(shown.caption), parent), name.c_str());
    group = new QButtonGroup(box);
    group->setObjectName(QString::fromStdString(name + "Items"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    for (int i = 0; i <= definition.high; ++i) {
        auto* item = new QRadioButton(QString::number(i + 1), box);
        item->setObjectName(QString::fromStdString(name) + QString::number(i + 1));
        group->addButton(item, i);
        grid->addWidget(item, i / 4, i % 4);
    }
    group->button(definition.initial)->setChecked(true);
    return box;
}

QComboBox* rhythmCombo(const OptionDefinition& definition, QWidget* parent) {
    auto* combo = named(new QComboBox(parent), std::string(definition.name).c_str());
    for (const std::string& text : rhythmItemTexts()) combo->addItem(engineText(text));
    combo->setCurrentIndex(definition.initial);
    return combo;
}

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

QString optionText(const char* source) {
    return source != nullptr ? QCoreApplication::translate(kOptionTextContext, source) : QString();
}

QWidget* OptionWidgets::make(OptionId id, QWidget* parent) {
    const OptionDefinition& definition = optionDefinition(id);
    const OptionPresentation& shown = optionPresentation(id);
    const std::string name(definition.name);
    const QString hint = optionText(shown.hint);
    QWidget* control = nullptr;
    switch (shown.kind) {
        case ControlKind::CheckBox:
            control = velmora::checkBox(parent, name.c_str(), optionText(shown.caption),
                                        definition.initial != 0, hint);
            break;
        case ControlKind::NumberField:
            if (shown.caption != nullptr) {
                labels_[index(id)] = named(new QLabel(optionText(shown.caption), parent),
                                           (name + "Label").c_str(), optionText(shown.labelHint));
            }
            control = velmora::spinEdit(parent, name.c_str(), definition.low, definition.high,
                                        definition.initial, shown.step);
            control->setToolTip(hint);
            break;
        case ControlKind::InstrumentCombo:
            control = instrumentCombo(parent, name.c_str(), definition.initial, hint);
            break;
        case ControlKind::RhythmCombo:
            labels_[index(id)] =
                named(new QLabel(optionText(shown.caption), parent), (name + "Label").c_str());
            control = rhythmCombo(definition, parent);
            break;
        case ControlKind::PatternGroup:
            control = patternBox(definition, shown, parent, groups_[index(id)]);
            break;
    }
    if (shown.startsDisabled) control->setEnabled(false);
    widgets_[index(id)] = control;
    return control;
}

QCheckBox* OptionWidgets::checkBox(OptionId id) const { return qobject_cast<QCheckBox*>(widget(id)); }

QSpinBox* OptionWidgets::spinEdit(OptionId id) const { return qobject_cast<QSpinBox*>(widget(id)); }

QComboBox* OptionWidgets::comboBox(OptionId id) const { return qobject_cast<QComboBox*>(widget(id)); }

int OptionWidgets::value(OptionId id) const {
    if (QButtonGroup* group = patternGroup(id)) return group->checkedId();
    if (QCheckBox* box = checkBox(id)) return box->isChecked() ? 1 : 0;
    if (QSpinBox* spin = spinEdit(id)) return spin->value();
    return comboBox(id)->currentIndex();
}

void OptionWidgets::setValue(OptionId id, int value) const {
    if (QButtonGroup* group = patternGroup(id))
        selectPattern(*group, value);
    else if (QCheckBox* box = checkBox(id))
        box->setChecked(value != 0);
    else if (QSpinBox* spin = spinEdit(id))
        spin->setValue(value);
    else
        comboBox(id)->setCurrentIndex(value);
}

void OptionWidgets::watch(QObject* context, const std::function<void(OptionId)>& changed) const {
    for (const OptionDefinition& definition : optionTable()) {
        const OptionId id = definition.id;
        const auto report = [changed, id] { changed(id); };
        if (QButtonGroup* group = patternGroup(id)) {
            QObject::connect(group, &QButtonGroup::idClicked, context, report);
            QObject::connect(group, &QButtonGroup::idToggled, context, [report](int, bool checked) {
                if (checked) report();
            });
        } else if (QCheckBox* box = checkBox(id)) {
            QObject::connect(box, &QCheckBox::toggled, context, report);
        } else if (QSpinBox* spin = spinEdit(id)) {
            QObject::connect(spin, &QSpinBox::valueChanged, context, report);
        } else if (QComboBox* combo = comboBox(id)) {
            QObject::connect(combo, &QComboBox::currentIndexChanged, context, report);
        }
    }
}

}  // namespace velmora
