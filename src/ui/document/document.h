#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <string>

#include "documents/text_encoding.h"
#include "ui/document/text_file.h"

namespace velmora {

class DocumentSettings;
class MemoEdit;
class RecoveryKeeper;
struct RecoveryCopy;
class UserPrompts;
struct SaveDialogState;

// The text the window works on: the memo holds it, and the document knows
// the file it belongs to (none for a new text), whether it has unsaved edits,
// and how it is opened, saved and set aside. Opening a text first stores the
// settings of the text it leaves, then takes the new text's own. Failures are
// reported to the user here; the window asks and follows the signals.
//
// Every change of the text passes through here: textChanged() for an edit,
// textReplaced() for a text opened or begun, saved() and discarded() when
// the edits are written or dropped.
class Document final : public QObject {
    Q_OBJECT

public:
    // `saveDialog` is the save dialog's memory, which the exports share.
    Document(MemoEdit& memo, UserPrompts& prompts, DocumentSettings& settings, SaveDialogState& saveDialog,
             QObject* parent = nullptr);

    // The file's full path; empty for a text without a name.
    const std::string& path() const { return path_; }
    bool hasName() const { return !path_.empty(); }
    TextEncoding encoding() const { return file_.encoding(); }
    // Whether setting the text aside would lose edits: it changed since it
    // was opened or saved, and is not empty.
    bool isModified() const;
    // The window's caption: "Velmora" followed by the file name.
    QString caption() const;

    // The open command: asks about unsaved edits, then for a file to open.
    void chooseAndOpen();
    // Leaves the current text, storing its settings, and opens the text at
    // `path` with its own settings; false when it did not. A text that cannot
    // be read is reported and leaves the text, its name and the settings in
    // force as they were.
    bool open(const std::string& path);
    // The text of the last run, at start-up: it plays with the settings in
    // force, its own settings file is not read. False when it cannot be read.
    bool reopen(const std::string& path);
    // A new, empty text without a name, after asking about unsaved edits.
    void startNew();
    // Writes the text to its file; a text without a name asks for one as
    // saveAs() does. False when nothing was written.
    bool save();
    bool saveAs();
    // Asks "保存しますか？" when unsaved edits would be lost; false when the
    // user cancels or the save fails.
    bool maySetAside();

    // Unsaved edits are kept in a copy in `folder` once typing has stopped for
    // `delayMs`, until the text is saved or discarded, so that a session
    // ending without a save (a signal, a crash) loses at most those seconds.
    void keepRecoveryCopies(const std::filesystem::path& folder, int delayMs);
    RecoveryKeeper* recoveryKeeper() const { return recovery_; }
    // Offers the copies of sessions that ended without a save, newest first,
    // until one is restored or put off.
    void offerRecovery();
    // The session ends: the unsaved edits are kept at once.
    void keepForNextSession();

signals:
    // The file the text belongs to changed (opened, saved under a new name,
    // none for a new text).
    void nameChanged();
    // A text was opened or begun: the memo holds a whole new text.
    void textReplaced();
    // The memo's text changed otherwise: typed, pasted, or a long text
    // filling in after it was opened (isModified() tells the user's edits).
    void textChanged();
    // The text was written to `path`.
    void saved(const std::string& path);
    // The user chose to drop the unsaved edits.
    void discarded();
    // A line for the status bar; empty clears it.
    void notice(const QString& text);

private:
    bool switchTo(const std::string& path);
    void load(const std::string& path);
    void write(const std::string& path);
    // Stores the settings of the text being left; false when they could not
    // be written and the user chose to stay.
    bool storeSettingsOfLeftText();
    void sayForeignSettings(const std::string& textPath);
    // Takes a copy's words into the memo as unsaved edits of the text it was
    // made of, whose file gives the encoding and settings when it still exists.
    void restore(const RecoveryCopy& copy);
    void warnAboutGap();

    MemoEdit& memo_;
    UserPrompts& prompts_;
    DocumentSettings& settings_;
    SaveDialogState& saveDialog_;
    TextFile file_;
    std::string path_;
    RecoveryKeeper* recovery_ = nullptr;  // a child; none until keepRecoveryCopies()
    bool replacingText_ = false;  // the memo's changes are the document's own
};

}  // namespace velmora
