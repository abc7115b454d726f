#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/file_error.h"
#include "documents/output_target.h"

namespace velmora {

struct SafeWriteOptions {
    // Files the output must never replace (checkOutputTarget's IsInput).
    std::vector<ProtectedInput> inputs;
    // For the user's own text: a file that can be written but not replaced
    // (its folder refuses new files, or a new file could not keep its owner)
    // is written in place instead of refused.
    bool inPlaceFallback = false;
};

// The one writer of every file the program writes, in pieces as they come:
//
//   SafeFileWriter out;
//   out.open(path);           // or SafeFileWriter out(path);
//   out.write(chunk); ...
//   out.commit();             // or abandon(), or let the destructor abandon
//
// open() runs the one refusal check (checkOutputTarget) and then:
// - A regular file, or a name where nothing exists yet, is written to a
//   temporary file "<name>.velmora-XXXXXX" in the same folder (the name
//   shortened to fit the folder's name limit), flushed to disk and renamed
//   over the target at commit(): readers see the old content or the new,
//   never a part. The new file keeps the replaced file's permission bits,
//   owner and group. Until commit() the target is untouched; abandon(), the
//   destructor and a signal that ends the process (ProcessSignals) remove the
//   temporary file. The writer holds a lock on it meanwhile, so that the
//   leftovers of writers killed with -9, which open() removes from the folder
//   first, are told from files other writers still fill (temporary_leftovers.h).
// - A symbolic link is followed (also a dangling one: its target is made),
//   so the link stays a link.
// - A character device, FIFO or socket (/dev/null, a pipe) is opened and
//   written directly, never replaced; a FIFO without a reader is an error at
//   once instead of a wait. "-" is the standard output.
//
// Every failure throws FileError with the problem and the system's reason:
// FileError::creating for the check and the opening, FileError::writing for
// a write, the flush, the close or the rename. The target is then left as it
// was.
class SafeFileWriter {
public:
    // The name open() takes as the standard output.
    static constexpr const char* kStandardOutput = "-";

    SafeFileWriter() = default;
    explicit SafeFileWriter(const std::string& target, const SafeWriteOptions& options = {}) {
        open(target, options);
    }
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void open(const std::string& target, const SafeWriteOptions& options = {});
    void write(const void* data, std::size_t size);
    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
    // Writes at `offset`, over bytes written before or past them (a length
    // filled in later). Only where canSeek().
    void writeAt(std::uint64_t offset, const void* data, std::size_t size);
    // Makes the written bytes the target's content; the writer is closed then.
    void commit();
    // Drops what was written (the temporary file); never throws.
    void abandon() noexcept;

    bool isOpen() const { return fd_ >= 0; }
    // True while the bytes go to a temporary file that commit() renames.
    bool replacesTarget() const { return !tempPath_.empty(); }
    // True where the output can go back: a temporary file, a file written in
    // place, or the standard output onto a regular file from its start. Not
    // for a pipe, a device, or a file the standard output appends to.
    bool canSeek() const { return canSeek_; }
    // The end of what was written so far.
    std::uint64_t size() const { return end_; }
    const std::string& target() const { return target_; }

private:
    // Fails opening (the file cannot be made or replaced) or writing.
    [[noreturn]] void fail(FileProblem problem, int error, const std::string& about = {});
    [[noreturn]] void failWriting(FileProblem problem, int error);
    void openStandardOutput();
    void openDirect(const std::string& path, int flags);
    void openTemporary(const OutputTarget& found, bool inPlaceFallback);
    // Locks the new temporary file; false when it was removed before the lock.
    bool lockTemporary();
    // Forgets the temporary file once it was renamed or removed.
    void releaseTemporary() noexcept;
    void writeFully(const char* bytes, std::size_t size, std::int64_t offset);
    void checkProgress();

    std::string target_;     // as the caller named it (for messages)
    std::string finalPath_;  // the file replaced: a link's target
    std::string tempPath_;   // empty when writing directly
    int fd_ = -1;
    bool ownsFd_ = true;     // false for the standard output
    bool canSeek_ = false;
    bool inPlace_ = false;   // a regular file written where it is
    int registrySlot_ = -1;
    int lockFd_ = -1;          // holds the temporary file's lock
    std::string journalNote_;  // TemporaryFileJournal's note of it
    std::uint64_t end_ = 0;
    std::uint64_t checkedAt_ = 0;
    bool keepOwner_ = false;
    unsigned keptMode_ = 0;
    unsigned keptUid_ = 0;
    unsigned keptGid_ = 0;
};

// The whole of `bytes` through a SafeFileWriter.
void writeFileSafely(const std::string& path, std::string_view bytes, const SafeWriteOptions& options = {});

}  // namespace velmora
