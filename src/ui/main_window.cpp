#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMetaObject>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <filesystem>

#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "ui/engine_texts.h"
#include "ui/memo_edit.h"
#include "ui/option_binder.h"
#include "ui/output_warning_watch.h"
#include "ui/preset_dialog.h"
#include "ui/roll_panel.h"
#include "ui/settings_location.h"
#include "ui/window_placement.h"

namespace velmora {

namespace {

constexpr int kRollHeight = 160;  // the piano roll's share below the memo

constexpr int kMinimumWidth = 603;
// The window manager's frame around the client area: a title bar and borders.
constexpr int kFrameAllowanceX = 10;
constexpr int kFrameAllowanceY = 40;

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

TForm1::TForm1(MainWindowSetup setup)
    : settings_(globalSettingsPathIn(setup.settingsFolder).toStdString()) {
    setObjectName("TForm1");
    setWindowTitle("Velmora");
    setFont(windowFont());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    c_ = buildMainControls(*central, *statusBar());

    prompts_ = setup.prompts ? std::move(setup.prompts) : std::make_unique<DesktopPrompts>(this);
    TransportHost& host = *this;
    performance_ =
        std::make_unique<Performance>(host, std::move(setup.output), [this](const std::string& message) {
            prompts_->showError(withDetail(tr("演奏中に音の出力で問題が起きました。"), message));
        });
    rollPanel_ = new RollPanel(*c_.Memo1, *c_.roll, *performance_, this);
    outputWarnings_ = new OutputWarningWatch(
        performance_->output(), [this](const QString& text) { showNotice(text); }, this);

    connectOptionReactions();
    connectCommands();

    // At the minimum size every caption still shows whole.
    setMinimumWidth(std::max(kMinimumWidth, minimumSizeHint().width()));
    resize(std::max(600, sizeHint().width()), c_.Panel1->height() + 220 + kRollHeight);
    move(kInitialWindowLeft, kInitialWindowTop);
    FormCreate();
}

TForm1::~TForm1() {
    // The performance stops while the controls it reaches still exist; the
    // roll's panel and the binder, which reach the performance, go first.
    delete rollPanel_;
    rollPanel_ = nullptr;
    delete binder_;
    binder_ = nullptr;
    delete outputWarnings_;
    outputWarnings_ = nullptr;
    performance_.reset();
}

void TForm1::FormCreate() {
    OutputSettings output;
    try {
        if (const std::optional<LoadedSettings> loaded = settings_.loadGlobal()) {
            takeSettings(*loaded);
            if (fileExists(loaded->global->latest)) document_.setPath(loaded->global->latest);
            output = loaded->global->output;
            settings_.setRecent(loaded->global->recent);
        }
    } catch (const FileError& error) {
        showFileError(error);
    }
    applyOutputSettings(output);
    if (fileExists(document_.path())) {
        try {
            LoadTextDocument();
            settings_.noteOpened(document_.path());
            noticeForeignSettingsOfLatest();
        } catch (const FileError& error) {
            // The window comes up without a document; a later Save must not
            // write the empty memo over the file that failed to load.
            showFileError(error);
            document_.setPath({});
        }
    }
    performance_->reseed(clockOfDaySeed());
    setAcceptingDrops(true);
}

void TForm1::noticeForeignSettingsOfLatest() {
    // The text reopened at start plays with the global settings, but its own
    // settings file is written when it is left: that file must be ours.
    try {
        if (settings_.loadForText(document_.path()).foreign) sayForeignSettings(document_.path());
    } catch (const FileError&) {
        // Unreadable: storing the text's settings later says what is wrong.
    }
}

void TForm1::keepOnScreen() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    // The frame around the client area must be on the screen as well.
    const QRect framed = QRect(pos(), size()).adjusted(0, 0, kFrameAllowanceX, kFrameAllowanceY);
    const QRect placed = placeOnScreen(framed, screens);
    if (placed == framed) return;
    resize(placed.width() - kFrameAllowanceX, placed.height() - kFrameAllowanceY);
    move(placed.topLeft());
}

void TForm1::attachPresetDialog(TForm2* dialog) {
    presets_ = dialog;
    connect(dialog, &TForm2::soloPresetChanged, this, [this](int number, const QString& text) {
        if (number >= 1 && number <= 6) c_.soloMenuItems[static_cast<std::size_t>(number - 1)]->setText(text);
    });
    connect(dialog, &TForm2::backingPresetChanged, this, [this](int number, const QString& text) {
        if (number >= 1 && number <= 6) c_.pre[static_cast<std::size_t>(number - 1)]->setToolTip(text);
    });
    // The captions name what the dialog's presets apply from the start.
    for (int number = 1; number <= 6; ++number) {
        const auto slot = static_cast<std::size_t>(number - 1);
        c_.soloMenuItems[slot]->setText(dialog->soloPresetText(number));
        c_.pre[slot]->setToolTip(dialog->backingPresetText(number));
    }
}

GlobalSettings TForm1::globalSettings() const {
    GlobalSettings global;
    global.left = x();
    global.top = y();
    global.width = width();
    global.height = height();
    if (presets_ != nullptr) global.presets = presets_->presetSelections();
    global.latest = document_.path();
    global.output = performance_->output().settings();
    global.recent = settings_.recent();
    return global;
}

bool TForm1::FormCloseQuery() {
    if (!maySetDocumentAside()) return false;
    performance_->stop();
    QTextCursor cursor = c_.Memo1->textCursor();
    cursor.setPosition(cursor.selectionStart());
    c_.Memo1->setTextCursor(cursor);
    // Each file is written on its own: a text's settings that cannot be
    // written do not keep the global file from being stored.
    const GlobalSettings global = globalSettings();
    bool stored = true;
    auto tryStore = [&](auto&& store) {
        try {
            store();
        } catch (const FileError& error) {
            showFileError(error);
            stored = false;
        }
    };
    if (document_.hasName()) tryStore([&] { settings_.storeForText(document_.path(), global, options()); });
    tryStore([&] { settings_.storeGlobal(global, options()); });
    if (!stored && !prompts_->askQuitWithoutSaving(tr("設定を保存せずに終了しますか？"))) return false;
    performance_->forgetText();
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

void TForm1::showFileError(const std::exception& error) { prompts_->showError(fileErrorText(error)); }

void TForm1::showNotice(const QString& text) {
    c_.statusNotice->setText(text);
    c_.statusNotice->setToolTip(text);
}

void TForm1::setDocumentCaption() {
    setWindowTitle("Velmora" + QString::fromStdString(std::string(fileNamePart(document_.path()))));
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
