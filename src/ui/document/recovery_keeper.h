#pragma once

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "documents/recovery_store.h"
#include "documents/recovery_writer.h"

class QTextDocument;

namespace velmora {

class FileError;

// Keeps a copy of the memo's unsaved text a few seconds after typing stops,
// written off the interface thread, and removes it once the text is saved or
// discarded. A window that ends without either leaves its copy for the next
// start to offer.
class RecoveryKeeper final : public QObject {
    Q_OBJECT

public:
    using TextPath = std::function<std::string()>;
    using ErrorReport = std::function<void(const FileError&)>;

    // `report` hears the first failure to keep a copy (a full disk, a folder
    // that cannot be made); the window goes on without copies then.
    RecoveryKeeper(QTextDocument& memo, TextPath textPath, const std::filesystem::path& folder, int delayMs,
                   ErrorReport report, QObject* parent);
    ~RecoveryKeeper() override;

    // Writes the copy at once and waits for it (the session is ending).
    void keepNow();
    // The text was saved or discarded: no copy is needed.
    void forget();
    // Waits until the copy asked for has been written.
    void flush();

    std::vector<RecoveryCopy> orphans() const;
    void adopt(const RecoveryCopy& copy);

private:
    void keepLater();
    void reportOnce(const FileError& error);

    QTextDocument& memo_;
    TextPath textPath_;
    ErrorReport report_;
    std::unique_ptr<RecoveryStore> store_;  // null when the folder cannot be used
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer quietTimer_;  // runs out when typing has stopped for the delay
    bool reported_ = false;
};

}  // namespace velmora
