#include "ui/document/recovery_keeper.h"

#include <QTextDocument>

#include "documents/file_error.h"
#include "ui/document/text_file.h"

namespace velmora {

RecoveryKeeper::RecoveryKeeper(QTextDocument& memo, TextPath textPath, const std::filesystem::path& folder,
                               int delayMs, ErrorReport report, QObject* parent)
    : QObject(parent), memo_(memo), textPath_(std::move(textPath)), report_(std::move(report)) {
    try {
        store_ = std::make_unique<RecoveryStore>(folder);
        writer_ = std::make_unique<RecoveryWriter>(*store_);
    } catch (const FileError& error) {
        reportOnce(error);
        return;
    }
    quietTimer_.setSingleShot(true);
    quietTimer_.setInterval(delayMs);
    connect(&quietTimer_, &QTimer::timeout, this, &RecoveryKeeper::keepLater);
    connect(&memo_, &QTextDocument::contentsChanged, this, [this] {
        if (memo_.isModified()) quietTimer_.start();
    });
    connect(&memo_, &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (!modified) forget();
    });
}

RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::keepLater() {
    if (!writer_) return;
    if (!memo_.isModified() || memo_.isEmpty()) {
        writer_->forget();
        return;
    }
    writer_->keepLater(textPath_(), memoFileText(memo_.toPlainText()));
    // The failure of an earlier copy shows once the next is asked for.
    if (const std::optional<FileError> error = writer_->takeError()) reportOnce(*error);
}

void RecoveryKeeper::keepNow() {
    quietTimer_.stop();
    keepLater();
    flush();
}

void RecoveryKeeper::forget() {
    quietTimer_.stop();
    if (writer_) writer_->forget();
}

void RecoveryKeeper::flush() {
    if (!writer_) return;
    writer_->flush();
    if (const std::optional<FileError> error = writer_->takeError()) reportOnce(*error);
}

std::vector<RecoveryCopy> RecoveryKeeper::orphans() const {
    return store_ ? store_->orphans() : std::vector<RecoveryCopy>{};
}

void RecoveryKeeper::adopt(const RecoveryCopy& copy) {
    if (store_) store_->adopt(copy);
}

void RecoveryKeeper::reportOnce(const FileError& error) {
    if (reported_) return;
    reported_ = true;
    if (report_) report_(error);
}

}  // namespace velmora
