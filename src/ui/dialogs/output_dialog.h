#pragma once

#include <QDialog>
#include <functional>

#include "ui/performance/output_settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

// Chooses the sound output, the soundfont of the built-in synthesizer and its
// sound server and buffer. A typed output name is kept as typed, also when
// Enter confirms it. 試聴 plays a test sound through the output the dialog
// names and shows where the sound went.
class OutputDialog final : public QDialog {
    Q_OBJECT

public:
    // Plays the test sound through the output `settings` name; returns where it
    // went ("PulseAudio: ...") or why it cannot sound, for the dialog to show.
    using OutputTester = std::function<QString(const OutputSettings& settings)>;

    OutputDialog(const OutputSettings& current, QWidget* parent, OutputTester tester = {});
    OutputSettings settings() const;
    // Names the output in use as the dialog opens; empty: not opened yet.
    void setOutputInUse(const QString& description);
    // Takes the choice unless the soundfont named is missing or no soundfont.
    void accept() override;

private:
    void browseSoundfont();
    void playTestSound();
    void enableSynthesizerChoices();

    QComboBox* output_ = nullptr;
    QLineEdit* soundfont_ = nullptr;
    QComboBox* audioDriver_ = nullptr;
    QComboBox* audioBuffer_ = nullptr;
    QLabel* inUse_ = nullptr;
    QPushButton* test_ = nullptr;
    OutputSettings initial_;
    OutputTester tester_;
};

}  // namespace velmora
