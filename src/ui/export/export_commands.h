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

// The exports of the text: a Standard MIDI File (with the characters as
// lyrics when asked), a score, and with the synthesizer a sound file. Each asks for the file in the save
// dialog the document shares, runs in the background with a progress the user can cancel, then says how it
// ended. The music is the performance's: its options, its key, and its random generator, which the export
// advances.
class ExportCommands final : public QObject {
    Q_OBJECT

public:
    using Notice = std::function<void(const QString& text)>;

    ExportCommands(QWidget& window, MemoEdit& memo, const Document& document, Performance& performance,
                   UserPrompts& prompts, SaveDialogState& saveDialog, Notice notice);

    void exportMidi();
    // MusicXML, compressed MusicXML or PDF.
    void exportScore();
    // Without the synthesizer, nothing.
    void exportAudio();
    // On: the MIDI export writes each melody note's character as a lyric.
    void setMidiLyrics(bool on) { midiLyrics_ = on; }

private:
    // The export's file from the save dialog titled `title`; a name without
    // an extension gets that of the chosen filter, or `extension` when none is
    // offered. Nothing when cancelled.
    std::optional<std::string> chooseTarget(const QString& title, const QString& extension,
                                            const QStringList& filters);
    // The same with a choice of file types, starting from `lastFilter` (the
    // first when it is not offered), which then remembers the one chosen.
    std::optional<std::string> chooseTarget(const QString& title, const QStringList& filters,
                                            QString& lastFilter);
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
    QString scoreFilter_;  // the score format chosen last; empty: the first
    bool midiLyrics_ = false;
};

}  // namespace velmora
