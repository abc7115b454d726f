#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace velmora {

// The shared save dialog's memory: the folder and file name of its last use
// and the extension added to a name typed without one.
struct SaveDialogState {
    QString directory;
    QString fileName;
    QString defaultSuffix = "txt";
    QStringList filters;     // the file types offered; none: any file
    QString selectedFilter;  // the one chosen, set by the dialog
    QString title;           // what the dialog saves; empty: the desktop's own title
};

enum class OverwriteAnswer { Yes, No, Cancel };
// "保存しますか？" before unsaved edits would be dropped.
enum class SaveChangesAnswer { Save, Discard, Cancel };
// What to do with unsaved text an ended session left: take it into the memo,
// remove it, or ask again at the next start.
enum class RestoreAnswer { Restore, Discard, Later };

// Every question and message the main window puts to the user, so that tests
// can answer them.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // The open dialog, starting in `directory` (empty: where it was last); nothing when cancelled.
    virtual std::optional<QString> chooseFileToOpen(const QString& directory) = 0;
    // The save dialog; the chosen full path, or nothing when cancelled.
    virtual std::optional<QString> chooseFileToSave(SaveDialogState& dialog) = 0;
    // "ファイルが存在します　上書きしますか？"
    virtual OverwriteAnswer askOverwrite() = 0;
    // "保存しますか？" with はい / いいえ / キャンセル.
    // `name`: the text's file name, or 無題.
    virtual SaveChangesAnswer askSaveChanges(const QString& name) = 0;
    // A yes-or-no question; true for yes.
    virtual bool confirm(const QString& question) = 0;
    // The standard error box: the text with a full stop appended.
    virtual void showError(const QString& text) = 0;
    virtual void showInformation(const QString& text) = 0;
    virtual void showWarning(const QString& text) = 0;
    // After the settings could not be stored at close: quit anyway?
    virtual bool askQuitWithoutSaving(const QString& question) = 0;
    // Offers the unsaved text of `name` that a session ended without saving
    // at `savedAt` (local time, as the user reads it).
    virtual RestoreAnswer askRestore(const QString& name, const QString& savedAt) = 0;
};

// The dialogs and message boxes of the desktop.
class DesktopPrompts final : public UserPrompts {
public:
    explicit DesktopPrompts(QWidget* parent) : parent_(parent) {}

    std::optional<QString> chooseFileToOpen(const QString& directory) override;
    std::optional<QString> chooseFileToSave(SaveDialogState& dialog) override;
    OverwriteAnswer askOverwrite() override;
    SaveChangesAnswer askSaveChanges(const QString& name) override;
    bool confirm(const QString& question) override;
    void showError(const QString& text) override;
    void showInformation(const QString& text) override;
    void showWarning(const QString& text) override;
    bool askQuitWithoutSaving(const QString& question) override;
    RestoreAnswer askRestore(const QString& name, const QString& savedAt) override;

private:
    QWidget* parent_;
    QString openDirectory_;
};

// The error box's text: the message with a full stop appended.
QString withFullStop(const QString& text);

// The extension a dialog filter such as "FLAC (*.flac)" names, with the dot;
// empty when it names none.
QString filterExtension(const QString& filter);

}  // namespace velmora
