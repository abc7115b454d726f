#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/transport.h"
#include "ui/background_task.h"
#include "ui/main_controls.h"
#include "ui/memo_cp932_index.h"
#include "ui/memo_geometry.h"
#include "ui/music_export.h"
#include "ui/open_document.h"
#include "ui/output_settings.h"
#include "ui/performance.h"
#include "ui/recovery_keeper.h"
#include "ui/settings_store.h"
#include "ui/user_prompts.h"

class QAction;
class QKeySequence;
class QMenu;

namespace velmora {

class TForm2;
class OptionBinder;
class RollPanel;
class OutputWarningWatch;
class OutputTestSound;

// What the program decides for itself and a test may decide instead.
struct MainWindowSetup {
    QString settingsFolder;                // empty: defaultSettingsFolder()
    std::unique_ptr<MidiBackend> output;   // set: used instead of the configured output
    std::unique_ptr<UserPrompts> prompts;  // set: answers instead of the desktop's dialogs
    bool reopenLatest = true;              // false: a text named at start takes the last text's place
    QString recoveryFolder;                // empty: the user's state folder
    int recoveryDelayMs = 3000;            // quiet time after typing before a recovery copy
};

// The main window: the memo, the option controls, the transport, document and
// export commands. It keeps the widgets and wires them to its parts: the open
// document, the performance (options, output, timers, transport), the settings
// files and the exports; the engine and the documents library do the work.
class TForm1 final : public QMainWindow, private TransportHost {
    Q_OBJECT

public:
    explicit TForm1(MainWindowSetup setup = {});
    ~TForm1() override;

    // The preset dialog, created after the window; its presets feed the solo
    // menu and the preset buttons.
    void attachPresetDialog(TForm2* dialog);

    const std::string& globalSettingsPath() const { return settings_.globalPath(); }
    const std::string& currentTextPath() const { return document_.path(); }
    RecoveryKeeper& recoveryKeeper() { return *recovery_; }
    const PerformanceOptions& options() const { return performance_->options(); }
    const MainControls& controls() const { return c_; }
    Transport& transport() { return performance_->transport(); }
    RollPanel& rollPanel() { return *rollPanel_; }
    TextEncoding documentEncoding() const { return document_.encoding(); }
    const OutputSettings& outputSettings() const { return performance_->output().settings(); }
    const SaveDialogState& saveDialog() const { return saveDialog_; }

    // Reactions to option changes: the key display follows the pattern, the
    // tonic and the key shift; the tick timer and the time estimate the tempo.
    void showKey();
    void tempoChanged();
    // The tempo's tooltip: what its value means, and the beats per minute.
    void describeTempo();

    // Esc: the chord falls silent at the next note.
    void Action1Execute();

    // Presets.
    void preClick(int number);       // pre1Click..pre6Click
    void soloMenuClick(int number);  // N11Click..N61Click
    void Button1Click();

    // Transport buttons.
    void BitBtn2Click();
    void BitBtn5Click();
    void BitBtn4Click();

    // Documents.
    void FileOpen1Execute();
    void FileOpen1Accept(const QString& path);
    void dropFiles(const QStringList& paths);
    void BitBtn6Click();  // Save
    void BitBtn3Click();  // Save as
    void newDocument();   // Ctrl+N
    void Memo1Change();
    void Memo1MouseMove(QPoint position);
    void UpdateTimeEstimate();

    // Export.
    void BitBtn7Click();  // Midi
    void wavButtonClick();
    void exportScore();  // MusicXML, compressed MusicXML or PDF

    // Output choice.
    void outputButtonClick();
    void applyOutputSettings(const OutputSettings& settings);
    // The output dialog's 試聴: takes `settings` and plays the test sound through
    // them; says where the sound went, or why there is none.
    QString testOutput(const OutputSettings& settings, OutputTestSound& testSound);

    // Stops a performance and stores the settings; false when the user chose
    // to stay after the settings could not be written.
    bool FormCloseQuery();
    // The session ends (logout, shutdown, a signal): the window closes without
    // questions, the settings are stored and unsaved text is kept for the next
    // start.
    void endSession();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // TransportHost and MemoView.
    MemoSnapshot memoSnapshot() override;
    void setMemoSelection(std::int32_t start, std::int32_t length) override;
    void displayChanged(const TransportDisplay& display) override;
    void showOverrunMessage(const std::string& message) override;
    void highlightCharacter(std::int32_t memoPos, std::int32_t soundingOffset) override;
    void scrollDownOneLine() override;
    void showElapsed(const std::string& text) override;

    void FormCreate(bool reopenLatest);
    // Offers the unsaved texts of sessions that ended without a save, newest
    // first, until one is restored or put off.
    void offerRecovery();
    void restoreCopy(const RecoveryCopy& copy);
    void connectOptionReactions();
    void connectCommands();
    void buildMenus();
    void buildLanguageMenu(QMenu* settings);
    void buildEditMenu();
    // Finds the searched text after the caret, going round to the start.
    void findNext();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys);
    void fillRecentMenu();
    // Takes a settings file's values: the window's place when it is the global
    // file, then the options, which the controls show. The last document named
    // there is taken by the caller at start-up only: opening a text whose
    // settings file is the global one must not switch to another document.
    void takeSettings(const LoadedSettings& loaded);
    void placeWindow(const LoadedGlobalRows& global);
    // Sets the controls from `values` as a settings load does.
    void loadOptions(const PerformanceOptions& values, bool withGlobalOnly);
    GlobalSettings globalSettings() const;
    void setDocumentCaption();
    // Moves a restored window onto a screen that shows it whole.
    void keepOnScreen();
    // Opening and dropping: leave the current document, then load `path`.
    void switchDocument(const std::string& path);
    void LoadTextDocument();
    void writeMemoText(const std::string& path);
    // Save (as Save as for a text without a name) and Save as; false when
    // nothing was written.
    bool saveDocument();
    bool saveDocumentAs();
    // Asks "保存しますか？" when the memo holds unsaved edits; false when the
    // user cancels or the save fails.
    bool maySetDocumentAside();
    // Stores the settings of the document being left; false when they could
    // not be written and the user chose to stay.
    bool storeLeftSettings();
    void warnAboutGap();
    // Says once that the text's settings file belongs to another program.
    void sayForeignSettings(const std::string& textPath);
    void noticeForeignSettingsOfLatest();
    void showFileError(const std::exception& error);
    void showNotice(const QString& text);
    void reportOutputError();
    void setAcceptingDrops(bool accept);
    void takeSoundfont(const std::string& path);
    // The export's file name from the shared save dialog; nothing when cancelled.
    // The export's file from the save dialog; a name without an extension gets
    // that of the chosen filter, or `extension` when none is offered.
    std::optional<std::string> chooseExportTarget(const QString& title, const QString& extension,
                                                  const QStringList& filters);
    // The same with a choice of file types, starting from `lastFilter` (the
    // first when it is not offered), which then remembers the one chosen.
    std::optional<std::string> chooseExportTarget(const QString& title, const QStringList& filters,
                                                  QString& lastFilter);
    // Names the exported file in the status bar and says the export is done.
    void showWritten(const std::string& path);
    // Runs the export `start` makes with a progress, then says how it ended.
    using ExportStarter =
        std::function<std::unique_ptr<BackgroundTask>(SeededRandom& random, ExportOutcome& outcome)>;
    void runExport(const std::string& target, const QString& label, const ExportStarter& start);
    // Shows the task's progress with a Cancel button until it has finished.
    void waitWithProgress(BackgroundTask& task, const QString& label);

    MainControls c_;
    OptionBinder* binder_ = nullptr;  // a child of the window
    std::unique_ptr<UserPrompts> prompts_;
    TForm2* presets_ = nullptr;
    SettingsStore settings_;
    OpenDocument document_;
    MemoCp932Index memoBytes_;  // follows every edit of the memo
    std::unique_ptr<Performance> performance_;
    RollPanel* rollPanel_ = nullptr;  // a child of the window
    OutputWarningWatch* outputWarnings_ = nullptr;  // a child of the window
    RecoveryKeeper* recovery_ = nullptr;            // a child of the window
    MemoGeometry performanceGeometry_;  // the memo as measured when the performance started
    SaveDialogState saveDialog_;
    QString audioExportFilter_;  // the audio format chosen last; empty: the first
    QString scoreExportFilter_;  // the score format chosen last; empty: the first
    QAction* midiLyrics_ = nullptr;  // checked: the MIDI export writes the characters as lyrics
    int lastPointerIndex_ = 0;
    bool memoChangeAttached_ = true;
    bool acceptingDrops_ = false;
    bool sessionEnding_ = false;
    QString searchText_;  // what the Edit menu's search looks for
};

}  // namespace velmora
