#include "ui/controls/control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "ui/controls/gm_program_names.h"
#include "ui/controls/number_field.h"

namespace velmora {

QSpinBox* spinEdit(QWidget* parent, const char* name, int minimum, int maximum, int value, int step) {
    auto* spin = named(new NumberField(parent, minimum, maximum), name);
    spin->setSingleStep(step);
    spin->setValue(value);
    spin->setAlignment(Qt::AlignRight);
    spin->setMaximumWidth(54);
    return spin;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked,
                    const QString& hint) {
    auto* box = named(new QCheckBox(caption, parent), name, hint);
    box->setChecked(checked);
    return box;
}

QComboBox* instrumentCombo(QWidget* parent, const char* name, int index, const QString& hint) {
    auto* combo = named(new QComboBox(parent), name, hint);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(gmProgramNameList());
    combo->setCurrentIndex(index);
    combo->setMinimumContentsLength(12);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // A name longer than the field shows its beginning: the caret, which the
    // field keeps in view, goes to the start whenever the combo sets the text.
    QLineEdit* field = combo->lineEdit();
    const auto showStart = [field] { field->setCursorPosition(0); };
    QObject::connect(combo, &QComboBox::currentIndexChanged, field, showStart);
    // Typed text that names no instrument does not stay: the combo shows what plays.
    QObject::connect(field, &QLineEdit::editingFinished, combo, [combo, showStart] {
        const int named = combo->findText(combo->currentText().trimmed(), Qt::MatchFixedString);
        if (named >= 0 && named != combo->currentIndex())
            combo->setCurrentIndex(named);
        else
            combo->setEditText(combo->itemText(std::max(combo->currentIndex(), 0)));
        showStart();
    });
    showStart();
    return combo;
}

QLabel* whiteLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = named(new QLabel(text, parent), name);
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(colours);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void fitCaptions(QPushButton* button, std::initializer_list<const char*> captions) {
    int widest = button->fontMetrics().horizontalAdvance(button->text());
    for (const char* caption : captions) widest = std::max(widest, button->fontMetrics().horizontalAdvance(caption));
    constexpr int kPadding = 16;
    button->setMinimumWidth(widest + kPadding);
    button->setMaximumWidth(std::max(60, widest + kPadding));
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
    auto* pushButton = named(new QPushButton(caption, parent), name, hint);
    pushButton->setAutoDefault(false);
    return pushButton;
}

}  // namespace velmora
