#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <string>

#include "documents/settings.h"

class QComboBox;
class QPlainTextEdit;
class QShowEvent;

namespace velmora {

// The instrument range table and the user's six solo and six backing
// instrument presets. Modeless: it lives for the whole run and closing it only
// hides it. The main window reads the presets for its solo instrument's menu
// and its six preset buttons and follows their texts through the change
// signals; the settings writer stores presetSelections().
class PresetDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPresetCount = 6;

    // `mainWindow` owns the dialog; each showing places the dialog at its right edge.
    explicit PresetDialog(QWidget* mainWindow = nullptr);

    // Presets are numbered 1..6. A preset is the item index of its combo box
    // (the General MIDI program), -1 when the text names no item; a number
    // outside 1..6 also gives -1.
    int soloPreset(int number) const;
    int backingPreset(int number) const;
    // The combo's text as shown, typed text included; empty for a number outside 1..6.
    QString soloPresetText(int number) const;
    QString backingPresetText(int number) const;

    // Select an item (an index outside the list clears the selection and the
    // text) and run the preset's change handler, so that the main window follows.
    void setSoloPreset(int number, int itemIndex);
    void setBackingPreset(int number, int itemIndex);

    // Reads the twelve presets from the global settings file, when it exists,
    // with the read defaults for missing or invalid keys, and runs every
    // preset's change handler in the order solo 1..6, backing 1..6. Without the
    // file nothing changes and no handler runs. Throws FileError when the file
    // exists but cannot be read.
    void loadPresets(const std::string& globalSettingsPath);

    PresetSelections presetSelections() const;

signals:
    // Solo preset `number` changed (by the user or a load): the caption of
    // item `number` of the solo instrument's menu takes `text`.
    void soloPresetChanged(int number, const QString& text);
    // Backing preset `number` changed: the hint of preset button `number` takes `text`.
    void backingPresetChanged(int number, const QString& text);
    // Sent after either of the two above.
    void presetsChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void applySelections(const PresetSelections& selections);
    void reportSoloPreset(int number);
    void reportBackingPreset(int number);
    void placeBesideMainWindow();

    QPlainTextEdit* rangeTable_ = nullptr;
    std::array<QComboBox*, kPresetCount> soloPresets_{};
    std::array<QComboBox*, kPresetCount> backingPresets_{};
};

}  // namespace velmora
