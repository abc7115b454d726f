#pragma once

#include <QDialog>

#include "ui/output_settings.h"

class QComboBox;
class QLineEdit;

namespace velmora {

// Chooses the sound output and the soundfont of the built-in synthesizer.
// A typed output name is kept as typed, also when Enter confirms it.
class OutputDialog final : public QDialog {
    Q_OBJECT

public:
    OutputDialog(const OutputSettings& current, QWidget* parent);
    OutputSettings settings() const;
    // Takes the choice unless the soundfont named is missing or no soundfont.
    void accept() override;

private:
    void browseSoundfont();

    QComboBox* output_ = nullptr;
    QLineEdit* soundfont_ = nullptr;
};

}  // namespace velmora
