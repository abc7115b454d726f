#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// Writes a file so that nothing the user had is hurt, in pieces as they come:
//
//   SafeFileWriter out;
//   out.open(path);           // or SafeFileWriter out(path);
//   out.write(chunk); ...
//   out.commit();             // or abandon(), or let the destructor abandon
//
// - A regular file, or a name where nothing exists yet, is written to a
//   temporary file "<name>.XXXXXX" in the same folder (the name shortened to
//   fit the folder's name limit), flushed to disk and renamed over the target
//   at commit(): readers see the old content or the new, never a part. The
//   new file keeps the replaced file's permission bits, and its owner and
//   group where the process may set them. Until commit() the target is
//   untouched; abandon() and the destructor remove the temporary file, and so
//   do SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGXFSZ (see TempFileRegistry).
// - A symbolic link is followed (also a dangling one: its target is created),
//   so the link stays a link.
// - A character device, FIFO or socket (/dev/null, /dev/stdout, a pipe) is
//   opened and written directly, never replaced; a FIFO without a reader is
//   an error at once instead of a wait. "-" is the standard output.
// - Refused at open(), before anything is written: a folder, a block device,
//   a file the process may not open for writing (a read-only file, another
//   user's file: not replaced through the folder's permission), and a file
//   with other names (hard links), which an atomic replacement would split
//   from its other names.
//
// Every failure throws FileError with cannotCreateMessage(target) as its text
// and the step and the system's reason ("write: No space left on device") as
// its detail; the target is then left as it was.
class SafeFileWriter {
public:
    // The name open() takes as the standard output.
    static constexpr const char* kStandardOutput = "-";

    SafeFileWriter() = default;
    explicit SafeFileWriter(const std::string& target) { open(target); }
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void open(const std::string& target);
    void write(const void* data, std::size_t size);
    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
    // Overwrites bytes already written at `offset` (a length filled in later).
    // Only while replacesTarget(): a pipe or device cannot go back.
    void patch(std::uint64_t offset, const void* data, std::size_t size);
    // Makes the written bytes the target's content; the writer is closed then.
    void commit();
    // Drops what was written (the temporary file); never throws.
    void abandon() noexcept;

    // The open descriptor, for a library that writes the file itself (a sound
    // file encoder); its bytes cannot be patched. It stays owned by the writer.
    int fd() const { return fd_; }
    // Starts writing back to the disk all that was written through fd() so
    // far, without waiting, so that commit()'s flush has little left to do.
    void startDescriptorWriteBack();

    bool isOpen() const { return fd_ >= 0; }
    // True while the bytes go to a temporary file that commit() renames.
    bool replacesTarget() const { return !tempPath_.empty(); }
    const std::string& target() const { return target_; }

private:
    [[noreturn]] void fail(const char* step, int error);
    void openDirect(int flags);
    void openTemporary();
    void startWriteBack();

    std::string target_;     // as the caller named it (for messages)
    std::string finalPath_;  // the file replaced: a link's target
    std::string tempPath_;   // empty when writing directly
    int fd_ = -1;
    bool ownsFd_ = true;     // false for the standard output
    int registrySlot_ = -1;
    std::size_t written_ = 0;
    std::size_t writeBackStart_ = 0;
    bool keepOwner_ = false;
    unsigned keptMode_ = 0;
    unsigned keptUid_ = 0;
    unsigned keptGid_ = 0;
};

// The whole of `bytes` through a SafeFileWriter.
void writeFileSafely(const std::string& path, std::string_view bytes);

}  // namespace velmora
