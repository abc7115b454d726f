#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "engine/transport.h"
#include "ui/dialogs/user_prompts.h"
#include "ui/document/document_settings.h"
#include "ui/memo/memo_cp932_index.h"
#include "ui/memo/memo_geometry.h"
#include "ui/performance/performance.h"
#include "ui/settings/settings_store.h"
#include "ui/window/main_controls.h"

namespace velmora {

class CommandRegistry;
class Document;
class ExportCommands;
class MemoSearch;
class OptionBinder;
class OutputTestSound;
class OutputWarningWatch;
class PresetDialog;
class RollPanel;

// What the program decides for itself and a test may decide instead.
struct MainWindowSetup {
    QString settingsFolder;                // empty: defaultSettingsFolder()
    std::unique_ptr<MidiBackend> output;   // set: used instead of the configured output
    std::unique_ptr<UserPrompts> prompts;  // set: answers instead of the desktop's dialogs
    bool reopenLatest = true;              // false: a text named at start takes the last text's place
    QString recoveryFolder;                // empty: the user's state folder
    int recoveryDelayMs = 3000;            // quiet time after typing before a recovery copy
};

// The main window: the memo, the option controls, the commands' buttons and
// menus, the displays. It builds the widgets and wires them to its parts: the
// document, the performance (options, output, timers, transport), the
// settings files, the exports and the piano roll; the engine and the
// documents library do the work. Its commands are the actions of one
// registry, which follows the transport's state.
class MainWindow final : public QMainWindow, private TransportHost, private DocumentSettings {
    Q_OBJECT

public:
    explicit MainWindow(MainWindowSetup setup = {});
    ~MainWindow() override;

    // The preset dialog, created after the window; its presets feed the solo
    // instrument's menu and the preset buttons.
    void attachPresetDialog(PresetDialog* dialog);

    const std::string& globalSettingsPath() const { return settings_.globalPath(); }
    Document& document() { return *document_; }
    const Document& document() const { return *document_; }
    const PerformanceOptions& options() const { return performance_->options(); }
    const MainControls& controls() const { return c_; }
    const CommandRegistry& commands() const { return *commands_; }
    Transport& transport() { return performance_->transport(); }
    RollPanel& rollPanel() { return *rollPanel_; }
    const OutputSettings& outputSettings() const { return performance_->output().settings(); }
    const SaveDialogState& saveDialog() const { return saveDialog_; }

    // Files given to the window (dropped, or named on the command line): the
    // first is opened as a text, or taken as the soundfont; the rest are ignored.
    void openFiles(const QStringList& paths);
    // The notes of the characters from the one under `position` (in the
    // memo's coordinates) on, in the display beside the preset button.
    void showNotesUnderPointer(QPoint position);
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

    // DocumentSettings: each text's settings file, written from and read into
    // the controls.
    void storeFor(const std::string& textPath) override;
    bool readFor(const std::string& textPath, bool apply) override;
    PerformanceOptions inForce() const override { return options(); }
    void restore(const PerformanceOptions& options) override { loadOptions(options, true); }

    void connectCommands();
    void connectEditCommands();
    void connectDocument();
    void connectOptionReactions();
    // The global settings file, the output and, unless a text named at start
    // takes its place, the last document; then the recovery copies are offered.
    void startUp(bool reopenLatest);
    // Stops a performance and stores the settings; false when the user chose
    // to stay (unsaved edits, or settings that could not be written).
    bool prepareToClose();

    // Commands.
    void playOrStop();
    void linePlayOrStop();
    void newDocument();
    void applyBackingPreset(int number);
    void applySoloPreset(int number);
    void showPresets();
    void fillRecentDocuments();
    void chooseOutput();
    // The output dialog's 試聴: takes `settings` and plays the test sound through
    // them; says where the sound went, or why there is none.
    QString testOutput(const OutputSettings& settings, OutputTestSound& testSound);
    void applyOutputSettings(const OutputSettings& settings);
    void takeSoundfont(const std::string& path);
    void reportOutputError();

    // Reactions to option changes: the key display follows the pattern, the
    // tonic and the key shift; the tick timer and the time estimate the tempo.
    void showKey();
    void tempoChanged();
    // The tempo's tooltip: what its value means, and the beats per minute.
    void describeTempo();
    void showTimeEstimate();

    // Takes a settings file's values: the window's place when it is the global
    // file, then the options, which the controls show. The last document named
    // there is taken by the caller at start-up only: opening a text whose
    // settings file is the global one must not switch to another document.
    void takeSettings(const LoadedSettings& loaded);
    void placeWindow(const LoadedGlobalRows& global);
    // Moves a restored window onto a screen that shows it whole.
    void keepOnScreen();
    // Sets the controls from `values` as a settings load does.
    void loadOptions(const PerformanceOptions& values, bool withGlobalOnly);
    GlobalSettings globalSettings() const;

    void showNotice(const QString& text, const QString& detail = {});
    void setAcceptingDrops(bool accept);

    MainControls c_;
    CommandRegistry* commands_ = nullptr;  // children of the window
    OptionBinder* binder_ = nullptr;
    Document* document_ = nullptr;
    RollPanel* rollPanel_ = nullptr;
    OutputWarningWatch* outputWarnings_ = nullptr;
    ExportCommands* exports_ = nullptr;
    MemoSearch* search_ = nullptr;
    std::unique_ptr<UserPrompts> prompts_;
    PresetDialog* presets_ = nullptr;
    SettingsStore settings_;
    SaveDialogState saveDialog_;  // shared by Save as and the exports
    MemoCp932Index memoBytes_;    // follows every edit of the memo
    std::unique_ptr<Performance> performance_;
    MemoGeometry performanceGeometry_;  // the memo as measured when the performance started
    int lastPointerIndex_ = 0;
    bool acceptingDrops_ = false;
    bool sessionEnding_ = false;
};

}  // namespace velmora
