#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

#include "documents/settings.h"
#include "documents/text_encoding.h"
#include "engine/performance_options.h"
#include "engine/tick_timer_adapter.h"
#include "engine/transport.h"
#include "mapping/random_source.h"
#include "midi/midi_out_port.h"
#include "midi/mm_timer.h"
#include "midi/qt/qt_tick_dispatcher.h"
#include "ui/main_controls.h"
#include "ui/memo_geometry.h"
#include "ui/output_settings.h"
#include "ui/qt_transport_timer.h"
#include "ui/user_prompts.h"

namespace velmora {

class TForm2;

// What the program decides for itself and a test may decide instead.
struct MainWindowSetup {
    QString settingsFolder;                // empty: defaultSettingsFolder()
    std::unique_ptr<MidiBackend> output;   // set: used instead of the configured output
    std::unique_ptr<UserPrompts> prompts;  // set: answers instead of the desktop's dialogs
};

// The main window: the memo, the option controls, the transport, document and
// export commands. It maps the controls to PerformanceOptions and shows the
// transport's state; the engine and the documents library do the work.
class TForm1 final : public QMainWindow, private TransportHost, private TimerOwner {
    Q_OBJECT

public:
    explicit TForm1(MainWindowSetup setup = {});
    ~TForm1() override;

    // The preset dialog, created after the window; its presets feed the solo
    // menu and the preset buttons.
    void attachPresetDialog(TForm2* dialog);

    const std::string& globalSettingsPath() const { return globalSettingsPath_; }
    const std::string& currentTextPath() const { return currentTextPath_; }
    const PerformanceOptions& options() const { return options_; }
    const MainControls& controls() const { return c_; }
    Transport& transport() { return *transport_; }
    MidiOutPort& outputPort() { return port_; }
    TextEncoding documentEncoding() const { return encoding_; }
    const OutputSettings& outputSettings() const { return outputSettings_; }
    const SaveDialogState& saveDialog() const { return saveDialog_; }

    // Handlers of the option controls.
    void paternClick();
    void retonicClick();
    void ckeyupChange();
    void cryzmChange();
    void SpinEdit2Change();
    void C2chanClick();
    void coctdownClick();
    void ctopryzmClick();
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
    void Memo1Change();
    void Memo1MouseMove(QPoint position);
    void UpdateTimeEstimate();

    // Export.
    void BitBtn7Click();  // Midi
    void wavButtonClick();

    // Output choice.
    void outputButtonClick();
    void applyOutputSettings(const OutputSettings& settings);

    // Settings.
    void LoadSettings(const std::string& path);
    void SaveSettings(const std::string& path);

    // Stops a performance and stores the settings; false when the user chose
    // to stay after the settings could not be written.
    bool FormCloseQuery();

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
    // TimerOwner.
    void timerNotice(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    void FormCreate();
    void connectOptionHandlers();
    void connectCommands();
    // Sets the controls from a settings file's values. The last document named
    // there is taken only at start-up: opening a text whose settings file is the
    // global one must not switch to another document.
    void applyLoadedSettings(const LoadedSettings& loaded, bool takeLatestDocument);
    GlobalSettings globalSettings() const;
    bool isGlobalSettingsPath(const std::string& path) const { return path == globalSettingsPath_; }
    void setDocumentCaption();
    // Opening and dropping: leave the current document, then load `path`.
    void switchDocument(const std::string& path);
    void LoadTextDocument();
    void UpdateUpperText();
    std::string memoUtf8Text() const;  // the memo's text with CR LF line breaks
    void writeMemoText(const std::string& path);
    void showFileError(const std::exception& error);
    void showNotice(const QString& text);
    void reportOutputError();
    void setAcceptingDrops(bool accept);
    void takeSoundfont(const std::string& path);
    // The export's file name from the shared save dialog; nothing when cancelled.
    std::optional<std::string> chooseExportTarget(const char* extension);

    MainControls c_;
    std::unique_ptr<UserPrompts> prompts_;
    TForm2* presets_ = nullptr;

    PerformanceOptions options_;
    SeededRandom rng_{0};
    NullBackend silentOutput_;
    std::unique_ptr<MidiBackend> output_;
    OutputSettings outputSettings_;
    bool outputInjected_ = false;
    std::string lastOutputError_;
    MidiOutPort port_{silentOutput_};

    QtTickDispatcher dispatcher_{*this};
    TMMTimer MMTimer_{*this, dispatcher_};
    TickTimerAdapter tickTimer_{MMTimer_};
    std::unique_ptr<QtTransportTimer> Timer1_;
    std::unique_ptr<QtTransportTimer> Timer2_;
    std::unique_ptr<Transport> transport_;
    MemoGeometry performanceGeometry_;  // the memo as measured when the performance started

    std::string globalSettingsPath_;
    std::string currentTextPath_;
    TextEncoding encoding_ = TextEncoding::Utf8;  // a new text is saved as UTF-8
    std::string upperText_;                       // UpperText: the memo's CP932 text, upper-cased
    int lastPointerIndex_ = 0;
    bool memoChangeAttached_ = true;
    bool acceptingDrops_ = false;
    SaveDialogState saveDialog_;
};

}  // namespace velmora
