#include "ui/window/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <filesystem>

#include "documents/file_error.h"
#include "documents/recovery_store.h"
#include "ui/commands/command_registry.h"
#include "ui/controls/gm_program_names.h"
#include "ui/controls/option_binder.h"
#include "ui/dialogs/preset_dialog.h"
#include "ui/document/document.h"
#include "ui/export/export_commands.h"
#include "ui/memo/memo_edit.h"
#include "ui/performance/output_warning_watch.h"
#include "ui/roll/roll_panel.h"
#include "ui/settings/engine_texts.h"
#include "ui/settings/settings_location.h"

namespace velmora {

namespace {

constexpr int kRollHeight = 160;  // the piano roll's share below the memo
constexpr int kMinimumWidth = 603;

// The window's font: the Japanese UI Gothic where it exists, else a Japanese
// Gothic of the system, 12 pixels high.
QFont windowFont() {
    const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const char* family : {"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP", "IPAGothic"}) {
        if (installed.contains(QString::fromUtf8(family))) {
            font.setFamily(QString::fromUtf8(family));
            break;
        }
    }
    font.setPixelSize(12);
    return font;
}

// The instrument a preset applies, until the preset dialog is attached.
QString presetName(int program) {
    const QStringList names = gmProgramNameList();
    return program >= 0 && program < names.size() ? names.at(program) : QString();
}

// Milliseconds since midnight, universal time: the generator's seed.
std::uint64_t clockOfDaySeed() {
    return static_cast<std::uint64_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup)
    : settings_(globalSettingsPathIn(setup.settingsFolder).toStdString()) {
    setObjectName("mainWindow");
    setWindowTitle("Velmora");
    setFont(windowFont());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    commands_ = new CommandRegistry(*this);
    c_ = buildMainControls(*central, *statusBar(), *commands_);
    const PresetSelections designed;
    for (int number = 1; number <= CommandRegistry::kPresetCount; ++number) {
        const auto slot = static_cast<std::size_t>(number - 1);
        commands_->backingPreset(number)->setText(presetName(designed.backing[slot]));
        commands_->soloPreset(number)->setText(presetName(designed.solo[slot]));
    }

    prompts_ = setup.prompts ? std::move(setup.prompts) : std::make_unique<DesktopPrompts>(this);
    TransportHost& host = *this;
    performance_ =
        std::make_unique<Performance>(host, std::move(setup.output), [this](const std::string& message) {
            prompts_->showError(withDetail(tr("演奏中に音の出力で問題が起きました。"), message));
        });
    DocumentSettings& textSettings = *this;
    document_ = new Document(*c_.memo, *prompts_, textSettings, saveDialog_, this);
    document_->keepRecoveryCopies(setup.recoveryFolder.isEmpty()
                                      ? RecoveryStore::defaultFolder()
                                      : std::filesystem::path(setup.recoveryFolder.toStdString()),
                                  setup.recoveryDelayMs);
    rollPanel_ = new RollPanel(*c_.memo, *c_.roll, *performance_, this);
    outputWarnings_ = new OutputWarningWatch(
        performance_->output(), [this](const QString& text) { showNotice(text); }, this);
    exports_ = new ExportCommands(*this, *c_.memo, *document_, *performance_, *prompts_, saveDialog_,
                                  [this](const QString& text) { showNotice(text); });

    connectOptionReactions();
    connectDocument();
    connectCommands();

    // At the minimum size every caption still shows whole.
    setMinimumWidth(std::max(kMinimumWidth, minimumSizeHint().width()));
    resize(std::max(600, sizeHint().width()), c_.controlPanel->height() + 220 + kRollHeight);
    move(kInitialWindowLeft, kInitialWindowTop);
    startUp(setup.reopenLatest);
}

MainWindow::~MainWindow() {
    // The performance stops while the controls it reaches still exist; the
    // parts that reach the performance go first.
    delete rollPanel_;
    rollPanel_ = nullptr;
    delete exports_;
    exports_ = nullptr;
    delete binder_;
    binder_ = nullptr;
    delete outputWarnings_;
    outputWarnings_ = nullptr;
    performance_.reset();
}

void MainWindow::startUp(bool reopenLatest) {
    OutputSettings output;
    std::string latest;
    try {
        if (const std::optional<LoadedSettings> loaded = settings_.loadGlobal()) {
            takeSettings(*loaded);
            latest = loaded->global->latest;
            output = loaded->global->output;
            settings_.setRecent(loaded->global->recent);
        }
    } catch (const FileError& error) {
        prompts_->showError(fileErrorText(error));
    }
    applyOutputSettings(output);
    std::error_code error;
    if (reopenLatest && !latest.empty() && std::filesystem::is_regular_file(latest, error))
        document_->reopen(latest);
    performance_->reseed(clockOfDaySeed());
    // Settings equal to the controls' initial states change nothing, so the
    // key is shown here: the start then agrees with choosing the same pattern
    // again, and an export before any choice writes the key it plays in.
    showKey();
    describeTempo();
    setAcceptingDrops(true);
    // Asked once the window shows, so that the question has its window.
    QMetaObject::invokeMethod(
        this, [this] { document_->offerRecovery(); }, Qt::QueuedConnection);
}

void MainWindow::attachPresetDialog(PresetDialog* dialog) {
    presets_ = dialog;
    connect(dialog, &PresetDialog::soloPresetChanged, this, [this](int number, const QString& text) {
        if (QAction* preset = commands_->soloPreset(number)) preset->setText(text);
    });
    connect(dialog, &PresetDialog::backingPresetChanged, this, [this](int number, const QString& text) {
        if (QAction* preset = commands_->backingPreset(number)) preset->setText(text);
    });
    // The captions name what the dialog's presets apply from the start.
    for (int number = 1; number <= CommandRegistry::kPresetCount; ++number) {
        commands_->soloPreset(number)->setText(dialog->soloPresetText(number));
        commands_->backingPreset(number)->setText(dialog->backingPresetText(number));
    }
}

bool MainWindow::prepareToClose() {
    if (!document_->maySetAside()) return false;
    performance_->stop();
    QTextCursor cursor = c_.memo->textCursor();
    cursor.setPosition(cursor.selectionStart());
    c_.memo->setTextCursor(cursor);
    // Each file is written on its own: a text's settings that cannot be
    // written do not keep the global file from being stored.
    const GlobalSettings global = globalSettings();
    bool stored = true;
    auto tryStore = [&](auto&& store) {
        try {
            store();
        } catch (const FileError& error) {
            prompts_->showError(fileErrorText(error));
            stored = false;
        }
    };
    if (document_->hasName()) tryStore([&] { settings_.storeForText(document_->path(), global, options()); });
    tryStore([&] { settings_.storeGlobal(global, options()); });
    if (!stored && !prompts_->askQuitWithoutSaving(tr("設定を保存せずに終了しますか？"))) return false;
    performance_->forgetText();
    setAcceptingDrops(false);
    return true;
}

void MainWindow::endSession() {
    if (sessionEnding_) return;
    sessionEnding_ = true;
    performance_->stop();
    document_->keepForNextSession();
    const GlobalSettings global = globalSettings();
    // Nobody is there to answer: what cannot be written is left as it is.
    for (const bool text : {true, false}) {
        try {
            if (!text)
                settings_.storeGlobal(global, options());
            else if (document_->hasName())
                settings_.storeForText(document_->path(), global, options());
        } catch (const FileError&) {
        }
    }
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (sessionEnding_ || prepareToClose()) {
        if (presets_ != nullptr) presets_->close();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::showNotice(const QString& text, const QString& detail) {
    c_.statusNotice->setText(text);
    c_.statusNotice->setToolTip(detail.isEmpty() ? text : detail);
}

void MainWindow::setAcceptingDrops(bool accept) {
    acceptingDrops_ = accept;
    setAcceptDrops(accept);
    c_.memo->setFileDropsAccepted(accept);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptingDrops_ && !droppedFiles(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(*event->mimeData());
    if (!acceptingDrops_ || files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    openFiles(files);
}

void MainWindow::openFiles(const QStringList& paths) {
    if (paths.isEmpty()) return;
    const std::string first = paths.first().toStdString();  // the others are ignored
    if (isSoundfontFile(first)) {
        takeSoundfont(first);
        return;
    }
    if (!document_->maySetAside()) return;
    setAcceptingDrops(false);
    document_->open(first);
    setAcceptingDrops(true);
}

}  // namespace velmora
