// Unsaved text that an ended session left behind, offered at the next start.
#include <QDateTime>
#include <QFileInfo>

#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "ui/engine_texts.h"
#include "ui/main_window.h"
#include "ui/memo_edit.h"

namespace velmora {

void TForm1::offerRecovery() {
    for (const RecoveryCopy& copy : recovery_->orphans()) {
        const QString name = copy.textPath.empty() ? tr("無題") : QString::fromStdString(copy.textPath);
        const QString savedAt = QLocale().toString(QDateTime::fromSecsSinceEpoch(copy.savedAt), QLocale::ShortFormat);
        switch (prompts_->askRestore(name, savedAt)) {
            case RestoreAnswer::Restore:
                restoreCopy(copy);
                return;
            case RestoreAnswer::Discard:
                RecoveryStore::remove(copy);
                break;
            case RestoreAnswer::Later:
                return;
        }
    }
}

void TForm1::restoreCopy(const RecoveryCopy& copy) {
    if (performance_->performing() || !maySetDocumentAside()) return;
    // The text's own file gives its encoding and settings; the copy its words.
    if (!copy.textPath.empty() && QFileInfo::exists(QString::fromStdString(copy.textPath))) {
        try {
            switchDocument(copy.textPath);
        } catch (const FileError& error) {
            showFileError(error);
        }
    }
    if (document_.path() != copy.textPath) {
        if (!storeLeftSettings()) return;
        document_.clear();
        document_.setPath(copy.textPath);
    }
    QString text = QString::fromUtf8(copy.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    c_.Memo1->setPlainText(text);
    c_.Memo1->document()->setModified(true);
    setDocumentCaption();
    recovery_->adopt(copy);
    recovery_->keepNow();  // the copy is this window's now, with the text as shown
}

}  // namespace velmora
