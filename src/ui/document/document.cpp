#include "ui/document/document.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTextDocument>
#include <filesystem>

#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "ui/dialogs/user_prompts.h"
#include "ui/document/document_settings.h"
#include "ui/document/recovery_keeper.h"
#include "ui/memo/memo_edit.h"
#include "ui/settings/engine_texts.h"

namespace velmora {

namespace {

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Marks the memo's changes as the document's own while it lives.
class ReplacingText {
public:
    explicit ReplacingText(bool& flag) : flag_(flag) { flag_ = true; }
    ~ReplacingText() { flag_ = false; }
    ReplacingText(const ReplacingText&) = delete;
    ReplacingText& operator=(const ReplacingText&) = delete;

private:
    bool& flag_;
};

}  // namespace

Document::Document(MemoEdit& memo, UserPrompts& prompts, DocumentSettings& settings,
                   SaveDialogState& saveDialog, QObject* parent)
    : QObject(parent), memo_(memo), prompts_(prompts), settings_(settings), saveDialog_(saveDialog) {
    connect(&memo_, &QPlainTextEdit::textChanged, this, [this] {
        if (!replacingText_) emit textChanged();
    });
}

bool Document::isModified() const { return memo_.document()->isModified() && !memo_.document()->isEmpty(); }

QString Document::caption() const {
    return "Velmora" + QString::fromStdString(std::string(fileNamePart(path_)));
}

void Document::chooseAndOpen() {
    if (!maySetAside()) return;
    const QString folder = hasName() ? QFileInfo(QString::fromStdString(path_)).absolutePath() : QString();
    if (const std::optional<QString> chosen = prompts_.chooseFileToOpen(folder)) open(chosen->toStdString());
}

bool Document::open(const std::string& path) {
    try {
        return switchTo(path);
    } catch (const FileError& error) {
        prompts_.showError(fileErrorText(error));
        return false;
    }
}

bool Document::switchTo(const std::string& path) {
    if (!storeSettingsOfLeftText()) return false;
    const PerformanceOptions previous = settings_.inForce();
    emit notice({});
    bool foreign = false;
    try {
        foreign = settings_.readFor(path, true);
        load(path);
    } catch (const FileError&) {
        // Back to the settings in force before; the text and its name have
        // not changed, so that a later Save cannot write the old text into
        // the file that failed to load.
        settings_.restore(previous);
        throw;
    }
    if (foreign) sayForeignSettings(path);
    warnAboutGap();
    return true;
}

bool Document::reopen(const std::string& path) {
    try {
        load(path);
    } catch (const FileError& error) {
        // The window comes up without a text; a later Save must not write the
        // empty memo over the file that failed to load.
        prompts_.showError(fileErrorText(error));
        return false;
    }
    // The text plays with the settings in force, but its own settings file is
    // written when it is left: that file must be ours.
    try {
        if (settings_.readFor(path, false)) sayForeignSettings(path);
    } catch (const FileError&) {
        // Unreadable: storing the text's settings later says what is wrong.
    }
    return true;
}

void Document::load(const std::string& path) {
    QString text = file_.read(path);
    {
        const ReplacingText replacing(replacingText_);
        memo_.loadText(std::move(text));
        memo_.document()->setModified(false);
    }
    path_ = path;
    emit textReplaced();
    memo_.selectAt(0, 0);
    emit nameChanged();
}

void Document::startNew() {
    if (!maySetAside() || !storeSettingsOfLeftText()) return;
    path_.clear();
    file_.clear();
    {
        const ReplacingText replacing(replacingText_);
        memo_.clear();
    }
    memo_.document()->setModified(false);
    emit textReplaced();
    emit nameChanged();
}

bool Document::storeSettingsOfLeftText() {
    if (!hasName()) return true;
    try {
        settings_.storeFor(path_);
        return true;
    } catch (const FileError& error) {
        return prompts_.confirm(fileErrorText(error) + '\n' +
                                tr("このテキストの設定を保存せずに続けますか？"));
    }
}

void Document::sayForeignSettings(const std::string& textPath) {
    emit notice(tr("%1 は別のプログラムの設定ファイルのため、このテキストの設定は保存しません")
                    .arg(QString::fromStdString(textSettingsPath(textPath))));
}

void Document::warnAboutGap() {
    const QString name = QString::fromStdString(path_);
    switch (file_.gap()) {
        case TextFile::Gap::CutAtNul:
            prompts_.showWarning(tr("%1 には NUL 文字があるため、その手前までを読み込みました。").arg(name));
            break;
        case TextFile::Gap::Undecodable:
            prompts_.showWarning(tr("%1 には読めない文字があり、置き換えて表示しています。").arg(name));
            break;
        case TextFile::Gap::None:
            break;
    }
}

void Document::write(const std::string& path) {
    const bool toUtf8 = file_.write(path, memo_.wholeText());
    memo_.document()->setModified(false);
    QString said = tr("%1 に保存しました").arg(QString::fromStdString(path));
    if (toUtf8) said += tr("（CP932 で表せない文字があるため UTF-8 で保存しました）");
    emit notice(said);
    emit saved(path);
}

bool Document::save() {
    if (memo_.document()->isEmpty()) return false;
    if (!hasName()) return saveAs();
    // The file holds more than the memo could show: overwriting loses it.
    if (file_.gap() != TextFile::Gap::None &&
        !prompts_.confirm(tr("%1 は一部しか読み込めていません。上書きすると読み込めなかった内容は失われます。"
                             "上書きしますか？")
                              .arg(QString::fromStdString(path_)))) {
        return false;
    }
    try {
        write(path_);
    } catch (const FileError& error) {
        prompts_.showError(fileErrorText(error));
        return false;
    }
    return true;
}

bool Document::saveAs() {
    if (memo_.document()->isEmpty()) return false;
    if (hasName()) {
        const QFileInfo current(QString::fromStdString(path_));
        saveDialog_.directory = current.absolutePath();
        saveDialog_.fileName = current.fileName();
    }
    const std::optional<QString> chosen = prompts_.chooseFileToSave(saveDialog_);
    if (!chosen) return false;
    QFileInfo target(*chosen);
    if (target.suffix().isEmpty()) target.setFile(*chosen + '.' + saveDialog_.defaultSuffix);
    saveDialog_.directory = target.absolutePath();
    saveDialog_.fileName = target.fileName();
    const std::string path = target.filePath().toStdString();
    if (fileExists(path) && prompts_.askOverwrite() != OverwriteAnswer::Yes) return false;
    try {
        write(path);
    } catch (const FileError& error) {
        prompts_.showError(fileErrorText(error));  // the text keeps its name
        return false;
    }
    path_ = path;
    emit nameChanged();
    return true;
}

bool Document::maySetAside() {
    if (!isModified()) return true;
    const QString name = hasName() ? QString::fromStdString(std::string(fileNamePart(path_))) : tr("無題");
    switch (prompts_.askSaveChanges(name)) {
        case SaveChangesAnswer::Save:
            return save();
        case SaveChangesAnswer::Discard:
            emit discarded();
            return true;
        case SaveChangesAnswer::Cancel:
            break;
    }
    return false;
}

void Document::keepRecoveryCopies(const std::filesystem::path& folder, int delayMs) {
    recovery_ = new RecoveryKeeper(
        *memo_.document(), [this] { return path_; }, folder, delayMs,
        [this](const FileError& error) {
            emit notice(tr("復元用のコピーを保存できません: %1").arg(fileErrorText(error)));
        },
        this);
    // A save clears the memo's modified flag, which the keeper follows itself.
    connect(this, &Document::discarded, recovery_, &RecoveryKeeper::forget);
}

void Document::offerRecovery() {
    if (recovery_ == nullptr) return;
    for (const RecoveryCopy& copy : recovery_->orphans()) {
        const QString name = copy.textPath.empty() ? tr("無題") : QString::fromStdString(copy.textPath);
        const QString savedAt =
            QLocale().toString(QDateTime::fromSecsSinceEpoch(copy.savedAt), QLocale::ShortFormat);
        switch (prompts_.askRestore(name, savedAt)) {
            case RestoreAnswer::Restore:
                restore(copy);
                return;
            case RestoreAnswer::Discard:
                RecoveryStore::remove(copy);
                break;
            case RestoreAnswer::Later:
                return;
        }
    }
}

void Document::restore(const RecoveryCopy& copy) {
    if (!maySetAside()) return;
    if (!copy.textPath.empty() && fileExists(copy.textPath)) open(copy.textPath);
    if (path_ != copy.textPath) {
        if (!storeSettingsOfLeftText()) return;
        path_ = copy.textPath;
        file_.clear();
    }
    QString text = QString::fromUtf8(copy.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    {
        const ReplacingText replacing(replacingText_);
        memo_.loadText(std::move(text));
        memo_.wholeText();  // filled in at once: the copy kept next is whole
    }
    memo_.document()->setModified(true);
    emit textReplaced();
    emit nameChanged();
    recovery_->adopt(copy);
    recovery_->keepNow();  // the copy is this window's now, with the text as shown
}

void Document::keepForNextSession() {
    if (recovery_ != nullptr) recovery_->keepNow();
}

}  // namespace velmora
