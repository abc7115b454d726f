#include "documents/safe_file_writer.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "documents/file_error.h"
#include "documents/temp_file_registry.h"
#include "documents/temporary_leftovers.h"

namespace velmora {
namespace {

// Every so often the disk starts on what was written, so that commit()'s
// fsync has little left to wait for, and a temporary file removed with its
// folder is noticed before it has taken the whole output out of sight.
constexpr std::uint64_t kCheckStep = 8u << 20;
// A temporary file a cleaner of another process removed between its creation
// and its lock is made again, a few times at most.
constexpr int kTemporaryAttempts = 4;

std::string folderOrEmpty(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string pathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The process's umask, read without setting it: umask() would change it for
// every thread for a moment.
mode_t currentUmask() {
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr) {
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        }
        std::fclose(status);
        if (found) return static_cast<mode_t>(mask);
    }
    return 022;
}

// The cleanup signals stay blocked while a temporary file is created and
// registered, so that none can arrive in between and leave it behind.
class CleanupSignalsBlocked {
public:
    CleanupSignalsBlocked() {
        sigset_t set;
        sigemptyset(&set);
        for (int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) sigaddset(&set, number);
        pthread_sigmask(SIG_BLOCK, &set, &previous_);
    }
    ~CleanupSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

private:
    sigset_t previous_;
};

// Makes the rename itself durable; a folder that cannot be synced is no error.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

SafeFileWriter::~SafeFileWriter() { abandon(); }

void SafeFileWriter::fail(FileProblem problem, int error, const std::string& about) {
    abandon();
    throw FileError::creating(target_, problem, error, about);
}

void SafeFileWriter::failWriting(FileProblem problem, int error) {
    abandon();
    throw FileError::writing(target_, problem, error);
}

void SafeFileWriter::open(const std::string& target, const SafeWriteOptions& options) {
    abandon();
    target_ = target;
    end_ = 0;
    checkedAt_ = 0;
    canSeek_ = false;
    inPlace_ = false;
    OutputTarget found;
    try {
        found = checkOutputTarget(target, options.inputs);
    } catch (const FileError& error) {
        const bool writableHere =
            error.problem() == FileProblem::OwnerNotKept || error.problem() == FileProblem::FolderRefusesNewFiles;
        if (!options.inPlaceFallback || !writableHere || !isRegularFile(target)) throw;
        openDirect(target, O_WRONLY | O_NOCTTY);
        inPlace_ = canSeek_ = true;
        return;
    }
    finalPath_ = found.finalPath;
    switch (found.kind) {
        case OutputTarget::Kind::StandardOutput:
            openStandardOutput();
            return;
        case OutputTarget::Kind::Special:
            openDirect(finalPath_, O_WRONLY | O_NOCTTY);
            return;
        case OutputTarget::Kind::NewFile:
        case OutputTarget::Kind::ReplaceFile:
            openTemporary(found, options.inPlaceFallback);
            return;
    }
}

void SafeFileWriter::openStandardOutput() {
    fd_ = STDOUT_FILENO;
    ownsFd_ = false;
    // A regular file from its start can be gone back in (a header filled in
    // at the end); one the shell appends to (>>) or already wrote to cannot.
    struct stat info {};
    const int flags = ::fcntl(fd_, F_GETFL);
    canSeek_ = ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) && flags >= 0 && !(flags & O_APPEND) &&
               ::lseek(fd_, 0, SEEK_CUR) == 0;
}

void SafeFileWriter::openDirect(const std::string& path, int flags) {
    // Without O_NONBLOCK a FIFO nobody reads would wait forever.
    fd_ = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        if (error == ENXIO) fail(FileProblem::NoReader, 0);
        fail(FileProblem::System, error);
    }
    ownsFd_ = true;
    const int status = ::fcntl(fd_, F_GETFL);
    if (status < 0 || ::fcntl(fd_, F_SETFL, status & ~O_NONBLOCK) != 0) fail(FileProblem::System, errno);
}

void SafeFileWriter::openTemporary(const OutputTarget& found, bool inPlaceFallback) {
    const bool replacing = found.kind == OutputTarget::Kind::ReplaceFile;
    keepOwner_ = replacing;
    keptMode_ = replacing ? found.mode : 0666 & ~currentUmask();
    keptUid_ = found.uid;
    keptGid_ = found.gid;
    // "<name>.velmora-XXXXXX" must fit the folder's name limit: shorten the
    // name part.
    const std::string folder = folderOrEmpty(finalPath_);
    std::string name = finalPath_.substr(folder.empty() ? 0 : folder.size() + (folder == "/" ? 0 : 1));
    if (name.size() + kTemporarySuffixLength > NAME_MAX) name.resize(NAME_MAX - kTemporarySuffixLength);
    const std::string pattern = pathInFolder(folder, name) + std::string(kTemporaryMark) + "XXXXXX";
    // What earlier writers killed in this folder left behind goes first.
    removeTemporaryLeftovers(folder);

    CleanupSignalsBlocked blocked;
    std::vector<char> buffer;
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        buffer.assign(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        fd_ = ::mkostemp(buffer.data(), O_CLOEXEC);
        if (fd_ < 0 || lockTemporary()) break;
    }
    if (fd_ < 0) {
        const int error = errno;
        if (replacing && inPlaceFallback && (error == EACCES || error == EPERM)) {
            openDirect(finalPath_, O_WRONLY | O_NOCTTY);
            inPlace_ = canSeek_ = true;
            return;
        }
        if (error == EACCES || error == EPERM || error == EROFS) {
            fail(FileProblem::FolderRefusesNewFiles, error, folder.empty() ? "." : folder);
        }
        fail(FileProblem::System, error);
    }
    tempPath_.assign(buffer.data());
    ownsFd_ = true;
    canSeek_ = true;
    registrySlot_ = TempFileRegistry::add(tempPath_.c_str());
    journalNote_ = TemporaryFileJournal::note(tempPath_);
}

bool SafeFileWriter::lockTemporary() {
    // A second descriptor of the same open file keeps the lock from the close
    // of the written one to the rename, where the file still has its
    // temporary name. Where files cannot be locked the write goes on.
    if (::flock(fd_, LOCK_EX) != 0) return true;
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && info.st_nlink == 0) {
        ::close(fd_);
        fd_ = -1;
        errno = EEXIST;
        return false;
    }
    lockFd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    return true;
}

void SafeFileWriter::releaseTemporary() noexcept {
    TempFileRegistry::remove(registrySlot_);
    registrySlot_ = -1;
    TemporaryFileJournal::forget(journalNote_);
    journalNote_.clear();
    tempPath_.clear();
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
}

void SafeFileWriter::writeFully(const char* bytes, std::size_t size, std::int64_t offset) {
    if (fd_ < 0) failWriting(FileProblem::System, EBADF);
    while (size > 0) {
        const ssize_t count = offset >= 0 ? ::pwrite(fd_, bytes, size, static_cast<off_t>(offset))
                                          : ::write(fd_, bytes, size);
        if (count < 0) {
            if (errno == EINTR) continue;
            failWriting(FileProblem::System, errno);
        }
        bytes += count;
        size -= static_cast<std::size_t>(count);
        if (offset >= 0) offset += count;
    }
}

void SafeFileWriter::write(const void* data, std::size_t size) {
    writeFully(static_cast<const char*>(data), size, canSeek_ ? static_cast<std::int64_t>(end_) : -1);
    end_ += size;
    checkProgress();
}

void SafeFileWriter::writeAt(std::uint64_t offset, const void* data, std::size_t size) {
    if (!canSeek_) failWriting(FileProblem::System, ESPIPE);
    writeFully(static_cast<const char*>(data), size, static_cast<std::int64_t>(offset));
    end_ = std::max<std::uint64_t>(end_, offset + size);
    checkProgress();
}

void SafeFileWriter::checkProgress() {
    if (tempPath_.empty() || end_ - checkedAt_ < kCheckStep) return;
    ::sync_file_range(fd_, static_cast<off_t>(checkedAt_), static_cast<off_t>(end_ - checkedAt_),
                      SYNC_FILE_RANGE_WRITE);
    checkedAt_ = end_;
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && info.st_nlink == 0) failWriting(FileProblem::Removed, 0);
}

void SafeFileWriter::commit() {
    if (fd_ < 0) failWriting(FileProblem::System, EBADF);
    if (tempPath_.empty()) {
        if (inPlace_ && ::ftruncate(fd_, static_cast<off_t>(end_)) != 0) failWriting(FileProblem::System, errno);
        if (inPlace_ && ::fsync(fd_) != 0) failWriting(FileProblem::System, errno);
        const int fd = fd_;
        fd_ = -1;
        if (ownsFd_ && ::close(fd) != 0) failWriting(FileProblem::System, errno);
        return;
    }
    // Owner and group before the mode: a change of owner would clear set-id bits.
    if (keepOwner_ && ::fchown(fd_, keptUid_, keptGid_) != 0) {
        fail(FileProblem::OwnerNotKept, errno, std::to_string(keptUid_) + ":" + std::to_string(keptGid_));
    }
    if (::fchmod(fd_, static_cast<mode_t>(keptMode_)) != 0) failWriting(FileProblem::System, errno);
    if (::fsync(fd_) != 0) failWriting(FileProblem::System, errno);
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && info.st_nlink == 0) failWriting(FileProblem::Removed, 0);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) failWriting(FileProblem::System, errno);
    if (::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) failWriting(FileProblem::System, errno);
    releaseTemporary();
    syncFolder(folderOrEmpty(finalPath_));
}

void SafeFileWriter::abandon() noexcept {
    if (fd_ >= 0 && ownsFd_) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        releaseTemporary();
    }
}

void writeFileSafely(const std::string& path, std::string_view bytes, const SafeWriteOptions& options) {
    SafeFileWriter writer(path, options);
    writer.write(bytes);
    writer.commit();
}

}  // namespace velmora
