// Text documents: open, drop, Save, Save as, and the memo's derived views
// (UpperText, the time estimate, the notes under the pointer).
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <filesystem>

#include "documents/cp932_text.h"
#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "documents/settings.h"
#include "documents/text_document.h"
#include "documents/time_estimate.h"
#include "mapping/note_names.h"
#include "ui/main_window.h"
#include "ui/memo_edit.h"

namespace velmora {

namespace {

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

constexpr int kPointerDisplayLength = 8;

}  // namespace

void TForm1::FileOpen1Execute() {
    if (const std::optional<QString> path = prompts_->chooseFileToOpen()) FileOpen1Accept(*path);
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
    setAcceptingDrops(false);
    try {
        switchDocument(first);
    } catch (const FileError& error) {
        showFileError(error);
    }
    setAcceptingDrops(true);
}

void TForm1::switchDocument(const std::string& path) {
    if (document_.hasName()) settings_.storeForText(document_.path(), globalSettings(), options());
    const std::string previousPath = document_.path();
    const PerformanceOptions previousOptions = options();
    document_.setPath(path);
    try {
        if (const std::optional<LoadedSettings> loaded = settings_.loadForText(path))
            applyLoadedSettings(*loaded, false);
        LoadTextDocument();
    } catch (const FileError&) {
        // Back to the document and settings in force before, so that a later
        // Save cannot write the old text into the file that failed to load.
        document_.setPath(previousPath);
        applyLoadedSettings(LoadedSettings{std::nullopt, previousOptions, std::nullopt}, false);
        c_.crept->setChecked(previousOptions.crept);
        throw;
    }
}

void TForm1::LoadTextDocument() {
    const QString text = document_.read(document_.path());
    memoChangeAttached_ = false;
    c_.Memo1->setPlainText(text);
    UpdateUpperText();
    UpdateTimeEstimate();
    memoChangeAttached_ = true;
    c_.Memo1->selectAt(0, 0);
    setDocumentCaption();
}

void TForm1::UpdateUpperText() { document_.textChanged(c_.Memo1->toPlainText()); }

void TForm1::UpdateTimeEstimate() {
    if (c_.Memo1->document()->isEmpty()) return;
    const QString estimate = QString::fromStdString(updateTimeEstimate(
        static_cast<std::uint32_t>(document_.upperText().size()),
        static_cast<std::uint32_t>(options().timerInterval())));
    if (c_.Label3->text() != estimate) c_.Label3->setText(estimate);
}

void TForm1::Memo1Change() {
    if (!memoChangeAttached_ || c_.Memo1->document()->isEmpty()) return;
    UpdateUpperText();
    UpdateTimeEstimate();
}

void TForm1::Memo1MouseMove(QPoint position) {
    c_.Memo1->setFocus();
    const int index = c_.Memo1->cursorForPosition(position).position();
    if (index == lastPointerIndex_) return;
    lastPointerIndex_ = index;

    QString before = c_.Memo1->toPlainText().left(index);
    before.replace('\n', QStringLiteral("\r\n"));
    std::size_t at = utf8ToCp932(before.toStdString()).size();
    const std::string& upperText = document_.upperText();
    const PerformanceOptions& o = options();
    std::string names;
    bool trailByte = false;
    for (int taken = 0; taken < kPointerDisplayLength; ++taken) {
        const auto byte =
            at < upperText.size() ? static_cast<std::uint8_t>(upperText[at]) : std::uint8_t{0};
        // Only '0'..'Z' are named; the bytes of a two-byte character are not.
        if (!trailByte && byte >= 0x30 && byte <= 0x5A)
            names += noteName(byte, o.patern, o.tonicMode(), performance_->random());
        else
            names += ' ';
        trailByte = !trailByte && isCp932LeadByte(byte);
        if (++at >= upperText.size()) break;
    }
    c_.Label8->setText(QString::fromStdString(names));
}

void TForm1::writeMemoText(const std::string& path) {
    if (document_.write(path, c_.Memo1->toPlainText())) showNotice("CP932 で表せない文字があるため UTF-8 で保存しました");
}

void TForm1::BitBtn6Click() {
    if (c_.Memo1->document()->isEmpty() || !document_.hasName()) return;
    try {
        writeMemoText(document_.path());
    } catch (const FileError& error) {
        showFileError(error);
    }
}

void TForm1::BitBtn3Click() {
    if (c_.Memo1->document()->isEmpty()) return;
    if (document_.hasName()) {
        const QFileInfo current(QString::fromStdString(document_.path()));
        saveDialog_.directory = current.absolutePath();
        saveDialog_.fileName = current.fileName();
    }
    const std::optional<QString> chosen = prompts_->chooseFileToSave(saveDialog_);
    if (!chosen) return;
    QFileInfo target(*chosen);
    if (target.suffix().isEmpty()) target.setFile(*chosen + '.' + saveDialog_.defaultSuffix);
    saveDialog_.directory = target.absolutePath();
    saveDialog_.fileName = target.fileName();
    const std::string path = target.filePath().toStdString();
    if (fileExists(path) && prompts_->askOverwrite() != OverwriteAnswer::Yes) return;
    try {
        writeMemoText(path);
    } catch (const FileError& error) {
        showFileError(error);  // the document stays what it was
        return;
    }
    document_.setPath(path);
    setDocumentCaption();
}

}  // namespace velmora
