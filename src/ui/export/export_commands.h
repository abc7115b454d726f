#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "mapping/random_source.h"
#include "ui/export/music_export.h"

class QWidget;

namespace velmora {

class BackgroundTask;
class Document;
class MemoEdit;
class Performance;
class UserPrompts;
struct SaveDialogState;

// The exports of the text: a Standard MIDI File, and with the synthesizer a
// sound file. Each asks for the file in the save dialog the document shares,
// runs in the background with a progress the user can cancel, then says how
// it ended. The music is the performance's: its options, its key, and its
// random generator, which the export advances.
class ExportCommands final : public QObject {
    Q_OBJECT

public:
    using Notice = std::function<void(const QString& text)>;

    ExportCommands(QWidget& window, MemoEdit& memo, const Document& document, Performance& performance,
                   UserPrompts& prompts, SaveDialogState& saveDialog, Notice notice);

    void exportMidi();
    // Without the synthesizer, nothing.
    void exportAudio();

private:
    // The export's file from the save dialog; a name without an extension gets
    // that of the chosen filter, or `extension` when none is offered. Nothing
    // when cancelled.
    std::optional<std::string> chooseTarget(const QString& extension, const QStringList& filters = {});
    // Runs the export `start` makes with a progress, then says how it ended.
    using Starter =
        std::function<std::unique_ptr<BackgroundTask>(SeededRandom& random, ExportOutcome& outcome)>;
    void run(const std::string& target, const QString& label, const Starter& start);
    // Shows the task's progress with a Cancel button until it has finished.
    void waitWithProgress(BackgroundTask& task, const QString& label);
    // Names the exported file in the status bar and says the export is done.
    void showWritten(const std::string& path);

    QWidget& window_;
    MemoEdit& memo_;
    const Document& document_;
    Performance& performance_;
    UserPrompts& prompts_;
    SaveDialogState& saveDialog_;
    Notice notice_;
    QString audioFilter_;  // the audio format chosen last; empty: the first
};

}  // namespace velmora
