// Text documents: open, drop, Save, Save as, and the memo's derived views
// (the upper-cased text, the time estimate, the notes under the pointer).
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <filesystem>

#include "documents/cp932_text.h"
#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "documents/settings.h"
#include "documents/text_document.h"
#include "engine/time_estimate.h"
#include "mapping/note_names.h"
#include "ui/engine_texts.h"
#include "ui/main_window.h"
#include "ui/memo_edit.h"

namespace velmora {

namespace {

constexpr int kPointerDisplayLength = 8;

}  // namespace

void TForm1::FileOpen1Execute() {
    if (!maySetDocumentAside()) return;
    const QString folder =
        document_.hasName() ? QFileInfo(QString::fromStdString(document_.path())).absolutePath() : QString();
    if (const std::optional<QString> path = prompts_->chooseFileToOpen(folder)) FileOpen1Accept(*path);
}

void TForm1::FileOpen1Accept(const QString& path) {
    try {
        switchDocument(path.toStdString());
    } catch (const FileError& error) {
        showFileError(error);
    }
}

void TForm1::dropFiles(const QStringList& paths) {
    if (paths.isEmpty()) return;
    const std::string first = paths.first().toStdString();  // the others are ignored
    if (isSoundfontFile(first)) {
        takeSoundfont(first);
        return;
    }
    if (!maySetDocumentAside()) return;
    setAcceptingDrops(false);
    try {
        switchDocument(first);
    } catch (const FileError& error) {
        showFileError(error);
    }
    setAcceptingDrops(true);
}

void TForm1::newDocument() {
    if (performance_->performing() || !maySetDocumentAside() || !storeLeftSettings()) return;
    document_.clear();
    memoChangeAttached_ = false;
    c_.Memo1->clear();
    memoChangeAttached_ = true;
    c_.Memo1->document()->setModified(false);
    setDocumentCaption();
}

bool TForm1::storeLeftSettings() {
    if (!document_.hasName()) return true;
    try {
        settings_.storeForText(document_.path(), globalSettings(), options());
        return true;
    } catch (const FileError& error) {
        return prompts_->confirm(fileErrorText(error) + '\n' +
                                 tr("このテキストの設定を保存せずに続けますか？"));
    }
}

void TForm1::switchDocument(const std::string& path) {
    if (!storeLeftSettings()) return;
    const std::string previousPath = document_.path();
    const PerformanceOptions previousOptions = options();
    document_.setPath(path);
    showNotice({});
    try {
        const SettingsStore::TextSettings settings = settings_.loadForText(path);
        if (settings.loaded) takeSettings(*settings.loaded);
        LoadTextDocument();
        if (settings.foreign) sayForeignSettings(path);
    } catch (const FileError&) {
        // Back to the document and settings in force before, so that a later
        // Save cannot write the old text into the file that failed to load.
        document_.setPath(previousPath);
        loadOptions(previousOptions, true);
        throw;
    }
    settings_.noteOpened(path);
    warnAboutGap();
}

void TForm1::sayForeignSettings(const std::string& textPath) {
    showNotice(tr("%1 は別のプログラムの設定ファイルのため、このテキストの設定は保存しません")
                   .arg(QString::fromStdString(textSettingsPath(textPath))));
}

void TForm1::warnAboutGap() {
    const QString name = QString::fromStdString(document_.path());
    switch (document_.gap()) {
        case OpenDocument::Gap::CutAtNul:
            prompts_->showWarning(tr("%1 には NUL 文字があるため、その手前までを読み込みました。").arg(name));
            break;
        case OpenDocument::Gap::Undecodable:
            prompts_->showWarning(tr("%1 には読めない文字があり、置き換えて表示しています。").arg(name));
            break;
        case OpenDocument::Gap::None:
            break;
    }
}

void TForm1::LoadTextDocument() {
    QString text = document_.read(document_.path());
    memoChangeAttached_ = false;
    c_.Memo1->loadText(std::move(text));
    c_.Memo1->document()->setModified(false);
    UpdateTimeEstimate();
    memoChangeAttached_ = true;
    c_.Memo1->selectAt(0, 0);
    setDocumentCaption();
}

void TForm1::UpdateTimeEstimate() {
    if (c_.Memo1->document()->isEmpty()) return;
    const QString estimate = QString::fromStdString(updateTimeEstimate(
        static_cast<std::uint32_t>(memoBytes_.textBytes()),
        static_cast<std::uint32_t>(options().timerInterval())));
    if (c_.Label3->text() != estimate) c_.Label3->setText(estimate);
}

void TForm1::Memo1Change() {
    if (!memoChangeAttached_ || c_.Memo1->document()->isEmpty()) return;
    UpdateTimeEstimate();
}

void TForm1::Memo1MouseMove(QPoint position) {
    c_.Memo1->setFocus();
    const int index = c_.Memo1->cursorForPosition(position).position();
    if (index == lastPointerIndex_) return;
    lastPointerIndex_ = index;

    // The upper-cased text is made only for the bytes shown, from the pointer on.
    const std::string upperText = memoBytes_.upperTextAt(*c_.Memo1->document(), index, kPointerDisplayLength);
    std::size_t at = 0;
    const PerformanceOptions& o = options();
    std::string names;
    bool trailByte = false;
    for (int taken = 0; taken < kPointerDisplayLength; ++taken) {
        const auto byte =
            at < upperText.size() ? static_cast<std::uint8_t>(upperText[at]) : std::uint8_t{0};
        // Only '0'..'Z' are named; the bytes of a two-byte character are not.
        if (!trailByte && byte >= 0x30 && byte <= 0x5A)
            names += o.noteName(byte, performance_->random());
        else
            names += ' ';
        trailByte = !trailByte && isCp932LeadByte(byte);
        if (++at >= upperText.size()) break;
    }
    c_.Label8->setText(QString::fromStdString(names));
}

}  // namespace velmora
