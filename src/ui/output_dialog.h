#pragma once

#include <QDialog>

#include "ui/output_settings.h"

class QComboBox;
class QLineEdit;

namespace velmora {

// Chooses the sound output and the soundfont of the built-in synthesizer.
class OutputDialog final : public QDialog {
    Q_OBJECT

public:
    OutputDialog(const OutputSettings& current, QWidget* parent);
    OutputSettings settings() const;

private:
    void browseSoundfont();

    QComboBox* output_ = nullptr;
    QLineEdit* soundfont_ = nullptr;
};

}  // namespace velmora
