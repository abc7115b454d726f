#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

// A copy of unsaved text kept so that a session that ends without a save
// (a crash, kill -9, a logout) loses at most the last few seconds of typing.
struct RecoveryCopy {
    std::filesystem::path file;  // the copy itself
    std::string textPath;        // the file the text belongs to; empty for a new text
    std::string text;            // UTF-8, CR LF between lines
    std::int64_t savedAt = 0;    // seconds since the epoch
};

// The copies of one window in a folder of the user's own (never beside the
// text). Each window writes under an id of its own and holds a lock on it while
// it lives, so two windows never mix their copies and a copy whose lock is free
// belongs to a window that has ended.
class RecoveryStore {
public:
    // The user's state folder for copies: $XDG_STATE_HOME/velmora/recovery, or
    // ~/.local/state/velmora/recovery.
    static std::filesystem::path defaultFolder();

    // Claims an id in `folder` (created, private to the user, when missing).
    // Throws FileError when the folder cannot be made.
    explicit RecoveryStore(std::filesystem::path folder);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Replaces this window's copy as one step. Throws FileError.
    void keep(const std::string& textPath, const std::string& text);
    // Removes this window's copy, if any.
    void forget();
    // Takes an ended window's copy over as this window's (after a restore).
    void adopt(const RecoveryCopy& copy);

    // The copies of windows that have ended, newest first; unreadable ones are
    // left out.
    std::vector<RecoveryCopy> orphans() const;
    // Removes an ended window's copy.
    static void remove(const RecoveryCopy& copy);

    const std::filesystem::path& ownCopy() const { return ownCopy_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path ownCopy_;
    std::filesystem::path ownLock_;
    int lockFd_ = -1;
};

}  // namespace velmora
