#pragma once

#include <QString>
#include <initializer_list>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace velmora {

// Small makers for the main window's controls: each gets the object name the
// settings and handlers use, and its hint.

template <typename Widget>
Widget* named(Widget* widget, const char* name, const QString& hint = {}) {
    widget->setObjectName(name);
    if (!hint.isEmpty()) widget->setToolTip(hint);
    return widget;
}

QSpinBox* spinEdit(QWidget* parent, const char* name, int minimum, int maximum, int value, int step = 1);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked,
                    const QString& hint = {});
// An editable instrument combo listing the General MIDI names.
QComboBox* instrumentCombo(QWidget* parent, const char* name, int index, const QString& hint);
QLabel* whiteLabel(QWidget* parent, const char* name, const QString& text);
// Wide enough for its caption and every other caption it may show, so that
// none is clipped at the window's minimum size.
void fitCaptions(QPushButton* button, std::initializer_list<const char*> captions);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint = {});

}  // namespace velmora
