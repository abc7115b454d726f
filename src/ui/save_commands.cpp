// Save, Save as, and the question before unsaved edits would be dropped.
#include <QFileInfo>
#include <filesystem>

#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "ui/main_window.h"
#include "ui/memo_edit.h"

namespace velmora {

namespace {

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

void TForm1::writeMemoText(const std::string& path) {
    const bool toUtf8 = document_.write(path, c_.Memo1->wholeText());
    c_.Memo1->document()->setModified(false);
    QString notice = tr("%1 に保存しました").arg(QString::fromStdString(path));
    if (toUtf8) notice += tr("（CP932 で表せない文字があるため UTF-8 で保存しました）");
    showNotice(notice);
}

void TForm1::BitBtn6Click() { saveDocument(); }

void TForm1::BitBtn3Click() { saveDocumentAs(); }

bool TForm1::saveDocument() {
    if (c_.Memo1->document()->isEmpty()) return false;
    if (!document_.hasName()) return saveDocumentAs();
    // The file holds more than the memo could show: overwriting loses it.
    if (document_.gap() != OpenDocument::Gap::None &&
        !prompts_->confirm(tr("%1 は一部しか読み込めていません。上書きすると読み込めなかった内容は失われます。"
                              "上書きしますか？")
                               .arg(QString::fromStdString(document_.path())))) {
        return false;
    }
    try {
        writeMemoText(document_.path());
    } catch (const FileError& error) {
        showFileError(error);
        return false;
    }
    return true;
}

bool TForm1::saveDocumentAs() {
    if (c_.Memo1->document()->isEmpty()) return false;
    if (document_.hasName()) {
        const QFileInfo current(QString::fromStdString(document_.path()));
        saveDialog_.directory = current.absolutePath();
        saveDialog_.fileName = current.fileName();
    }
    const std::optional<QString> chosen = prompts_->chooseFileToSave(saveDialog_);
    if (!chosen) return false;
    QFileInfo target(*chosen);
    if (target.suffix().isEmpty()) target.setFile(*chosen + '.' + saveDialog_.defaultSuffix);
    saveDialog_.directory = target.absolutePath();
    saveDialog_.fileName = target.fileName();
    const std::string path = target.filePath().toStdString();
    if (fileExists(path) && prompts_->askOverwrite() != OverwriteAnswer::Yes) return false;
    try {
        writeMemoText(path);
    } catch (const FileError& error) {
        showFileError(error);  // the document stays what it was
        return false;
    }
    document_.setPath(path);
    settings_.noteOpened(path);
    setDocumentCaption();
    return true;
}

bool TForm1::maySetDocumentAside() {
    if (!c_.Memo1->document()->isModified() || c_.Memo1->document()->isEmpty()) return true;
    const QString name =
        document_.hasName() ? QString::fromStdString(std::string(fileNamePart(document_.path()))) : tr("無題");
    switch (prompts_->askSaveChanges(name)) {
        case SaveChangesAnswer::Save:
            return saveDocument();
        case SaveChangesAnswer::Discard:
            return true;
        case SaveChangesAnswer::Cancel:
            break;
    }
    return false;
}

}  // namespace velmora
