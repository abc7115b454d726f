#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMetaObject>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <filesystem>

#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "ui/memo_edit.h"
#include "ui/preset_dialog.h"
#include "ui/settings_location.h"

namespace velmora {

namespace {

constexpr int kInitialLeft = 321;
constexpr int kInitialTop = 163;
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

bool fileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// Milliseconds since midnight, universal time: the generator's seed.
std::uint64_t clockOfDaySeed() {
    return static_cast<std::uint64_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

}  // namespace

TForm1::TForm1(MainWindowSetup setup) {
    setObjectName("TForm1");
    setWindowTitle("Velmora");
    setFont(windowFont());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    c_ = buildMainControls(*central, *statusBar());

    prompts_ = setup.prompts ? std::move(setup.prompts) : std::make_unique<DesktopPrompts>(this);
    if (setup.output) {
        output_ = std::move(setup.output);
        outputInjected_ = true;
        port_.setBackend(*output_);
    }
    Timer1_ = std::make_unique<QtTransportTimer>([this] { transport_->endWaitElapsed(); });
    Timer2_ = std::make_unique<QtTransportTimer>([this] { transport_->repeatGapElapsed(); });
    MMTimer_.SetOnTimer([this](TMMTimer& sender) { transport_->tick(sender.currentTickDueNs()); });
    // A failing tick is shown after it, not inside it: a modal box there would
    // hold the tick past its time and stop the performance as an overrun.
    MMTimer_.setErrorReporter([this](const std::string& message) {
        QMetaObject::invokeMethod(
            this, [this, text = QString::fromStdString(message)] { prompts_->showError(text); },
            Qt::QueuedConnection);
    });
    globalSettingsPath_ = globalSettingsPathIn(setup.settingsFolder).toStdString();
    TransportHost& host = *this;
    transport_ = std::make_unique<Transport>(options_, port_, rng_, tickTimer_, *Timer1_, *Timer2_, host);

    connectOptionHandlers();
    connectCommands();

    setMinimumWidth(kMinimumWidth);
    resize(std::max(600, sizeHint().width()), c_.Panel1->height() + 220);
    move(kInitialLeft, kInitialTop);
    FormCreate();
}

TForm1::~TForm1() {
    // The tick timer must stop before the transport and the controls it reaches go.
    MMTimer_.SetEnabled(false);
    transport_->shutdown();
}

void TForm1::FormCreate() {
    if (fileExists(globalSettingsPath_)) {
        try {
            LoadSettings(globalSettingsPath_);
        } catch (const FileError& error) {
            showFileError(error);
        }
    }
    if (!outputInjected_) applyOutputSettings(readOutputSettings(globalSettingsPath_));
    if (fileExists(currentTextPath_)) {
        try {
            LoadTextDocument();
        } catch (const FileError& error) {
            // The window comes up without a document; a later Save must not
            // write the empty memo over the file that failed to load.
            showFileError(error);
            currentTextPath_.clear();
        }
    }
    rng_ = SeededRandom(clockOfDaySeed());
    setAcceptingDrops(true);
}

void TForm1::attachPresetDialog(TForm2* dialog) {
    presets_ = dialog;
    connect(dialog, &TForm2::soloPresetChanged, this, [this](int number, const QString& text) {
        if (number >= 1 && number <= 6) c_.soloMenuItems[static_cast<std::size_t>(number - 1)]->setText(text);
    });
    connect(dialog, &TForm2::backingPresetChanged, this, [this](int number, const QString& text) {
        if (number >= 1 && number <= 6) c_.pre[static_cast<std::size_t>(number - 1)]->setToolTip(text);
    });
}

GlobalSettings TForm1::globalSettings() const {
    GlobalSettings global;
    global.left = x();
    global.top = y();
    if (presets_ != nullptr) global.presets = presets_->presetSelections();
    global.latest = currentTextPath_;
    return global;
}

bool TForm1::FormCloseQuery() {
    transport_->shutdown();
    QTextCursor cursor = c_.Memo1->textCursor();
    cursor.setPosition(cursor.selectionStart());
    c_.Memo1->setTextCursor(cursor);
    try {
        if (!currentTextPath_.empty()) SaveSettings(textSettingsPath(currentTextPath_));
        SaveSettings(globalSettingsPath_);
        storeOutputSettings(globalSettingsPath_, outputSettings_);
    } catch (const FileError& error) {
        showFileError(error);
        if (!prompts_->askQuitWithoutSaving("設定を保存せずに終了しますか？")) return false;
    }
    transport_->state().playLines.clear();
    transport_->state().lineStarts.clear();
    transport_->state().chordNotes.clear();
    setAcceptingDrops(false);
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        if (presets_ != nullptr) presets_->close();
        event->accept();
    } else {
        event->ignore();
    }
}

void TForm1::showFileError(const std::exception& error) {
    prompts_->showError(QString::fromStdString(error.what()));
}

void TForm1::showNotice(const QString& text) {
    c_.statusNotice->setText(text);
    c_.statusNotice->setToolTip(text);
}

void TForm1::setDocumentCaption() {
    setWindowTitle("Velmora" + QString::fromStdString(std::string(fileNamePart(currentTextPath_))));
}

void TForm1::setAcceptingDrops(bool accept) {
    acceptingDrops_ = accept;
    setAcceptDrops(accept);
    c_.Memo1->setFileDropsAccepted(accept);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptingDrops_ && !droppedFiles(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(*event->mimeData());
    if (!acceptingDrops_ || files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    dropFiles(files);
}

}  // namespace velmora
