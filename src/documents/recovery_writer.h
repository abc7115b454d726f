#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "documents/file_error.h"
#include "documents/recovery_store.h"

namespace velmora {

// Writes a window's recovery copies on a thread of their own, so that a long
// text never stalls typing. Only the newest text waits: a copy asked for while
// another is being written replaces any older one still waiting.
class RecoveryWriter {
public:
    explicit RecoveryWriter(RecoveryStore& store);
    ~RecoveryWriter();  // writes what waits, then ends the thread
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void keepLater(std::string textPath, std::string text);
    // Drops what waits and removes the copy.
    void forget();
    // Returns once nothing waits or is being written.
    void flush();
    // The last write's failure, once; nothing when none is new.
    std::optional<FileError> takeError();

private:
    struct Job {
        std::string textPath;
        std::string text;
        bool forget = false;
    };
    void run();

    RecoveryStore& store_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> waiting_;
    bool busy_ = false;
    bool ending_ = false;
    std::optional<FileError> error_;
    std::thread thread_;
};

}  // namespace velmora
