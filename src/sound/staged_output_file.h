#pragma once

#include <string>

namespace velmora {

// A file written in pieces that appears at its path only complete. For a
// regular file or a new name, the bytes go to "<path>.XXXXXX" in the same
// folder, and commit() flushes it to disk and renames it over the target (a
// symbolic link is followed; an existing file's permission bits are kept).
// A character device or FIFO (/dev/null, a pipe) is opened and written
// directly, never replaced; "-" is standard output. Destroying it without commit() removes the
// temporary file and leaves the target as it was.
//
// Failures throw FileError with cannotCreateMessage(path) as text and the
// system's reason as detail.
class StagedOutputFile {
public:
    explicit StagedOutputFile(const std::string& path);
    ~StagedOutputFile();
    StagedOutputFile(const StagedOutputFile&) = delete;
    StagedOutputFile& operator=(const StagedOutputFile&) = delete;

    // The descriptor to write to; it stays owned by this object.
    int fd() const { return fd_; }
    // Whether the target is written in place (a device or FIFO).
    bool direct() const { return direct_; }
    // Starts writing back what is written so far without waiting for it, so
    // that commit()'s flush has little left to do.
    void startWriteBack();
    void commit();

private:
    [[noreturn]] void fail(const char* step, int error);

    std::string path_;    // as the caller named it, for messages
    std::string target_;  // the file that is replaced
    std::string tempName_;
    int fd_ = -1;
    bool direct_ = false;
    bool committed_ = false;
};

}  // namespace velmora
