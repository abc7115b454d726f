#include "documents/safe_file_writer.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "documents/file_error.h"
#include "documents/temp_file_registry.h"

namespace velmora {
namespace {

constexpr int kMaxLinkHops = 40;
constexpr std::size_t kWriteBackStep = 8u << 20;
constexpr const char* kTempSuffix = ".XXXXXX";
constexpr std::size_t kTempSuffixLength = 7;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

mode_t currentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// The cleanup signals stay blocked while a temporary file is created and
// registered, so that none can arrive in between and leave it behind.
class CleanupSignalsBlocked {
public:
    CleanupSignalsBlocked() {
        sigset_t set;
        sigemptyset(&set);
        for (int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ}) sigaddset(&set, number);
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

}  // namespace

SafeFileWriter::~SafeFileWriter() { abandon(); }

void SafeFileWriter::fail(const char* step, int error) {
    abandon();
    throw FileError::creating(target_, std::string(step) + ": " + std::strerror(error));
}

void SafeFileWriter::open(const std::string& target) {
    abandon();
    target_ = target;
    written_ = 0;
    writeBackStart_ = 0;
    if (target == kStandardOutput) {
        fd_ = STDOUT_FILENO;
        ownsFd_ = false;
        return;
    }
    // Follow symbolic links by hand, so that a dangling one names the file to create.
    finalPath_ = target;
    struct stat info {};
    for (int hops = 0;; ++hops) {
        if (::lstat(finalPath_.c_str(), &info) != 0) {
            if (errno != ENOENT) fail("stat", errno);
            keepOwner_ = false;
            keptMode_ = 0666 & ~currentUmask();
            openTemporary();
            return;
        }
        if (!S_ISLNK(info.st_mode)) break;
        if (hops == kMaxLinkHops) fail("open", ELOOP);
        std::vector<char> link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlink(finalPath_.c_str(), link.data(), link.size() - 1);
        if (length < 0) fail("readlink", errno);
        const std::string linked(link.data(), static_cast<std::size_t>(length));
        finalPath_ = !linked.empty() && linked[0] == '/' ? linked : joinPath(folderOf(finalPath_), linked);
    }

    if (S_ISDIR(info.st_mode)) fail("open", EISDIR);
    if (S_ISBLK(info.st_mode)) {
        abandon();
        throw FileError::creating(target_, "a block device is not written to");
    }
    if (!S_ISREG(info.st_mode)) {
        openDirect(O_WRONLY | O_NOCTTY);
        return;
    }
    if (info.st_nlink > 1) {
        abandon();
        throw FileError::creating(target_, "the file has other names (hard links); replacing it would split them");
    }
    // Only a file the process may write to is replaced; the folder's write
    // permission alone does not let it replace a read-only or foreign file.
    const int probe = ::open(finalPath_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) fail("open", errno);
    ::close(probe);
    keepOwner_ = true;
    keptMode_ = info.st_mode & 07777;
    keptUid_ = info.st_uid;
    keptGid_ = info.st_gid;
    openTemporary();
}

void SafeFileWriter::openDirect(int flags) {
    // Without O_NONBLOCK a FIFO nobody reads would wait forever.
    fd_ = ::open(finalPath_.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        if (error == ENXIO) {
            abandon();
            throw FileError::creating(target_, "open: no process reads from it");
        }
        fail("open", error);
    }
    const int status = ::fcntl(fd_, F_GETFL);
    if (status < 0 || ::fcntl(fd_, F_SETFL, status & ~O_NONBLOCK) != 0) fail("fcntl", errno);
    ownsFd_ = true;
}

void SafeFileWriter::openTemporary() {
    // "<name>.XXXXXX" must fit the folder's name limit: shorten the name part.
    const std::string folder = folderOf(finalPath_);
    std::string name = finalPath_.substr(folder.empty() ? 0 : folder.size() + (folder == "/" ? 0 : 1));
    if (name.size() + kTempSuffixLength > NAME_MAX) name.resize(NAME_MAX - kTempSuffixLength);
    std::string pattern = joinPath(folder, name) + kTempSuffix;

    CleanupSignalsBlocked blocked;
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd_ < 0) fail("create", errno);
    tempPath_.assign(buffer.data());
    ownsFd_ = true;
    registrySlot_ = TempFileRegistry::add(tempPath_.c_str());
}

void SafeFileWriter::write(const void* data, std::size_t size) {
    if (fd_ < 0) fail("write", EBADF);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t count = ::write(fd_, bytes, size);
        if (count < 0) {
            if (errno == EINTR) continue;
            fail("write", errno);
        }
        bytes += count;
        size -= static_cast<std::size_t>(count);
        written_ += static_cast<std::size_t>(count);
    }
    startWriteBack();
}

void SafeFileWriter::startWriteBack() {
    // The disk starts on what is written while the rest is produced, so that
    // commit()'s fsync has little left to wait for.
    if (tempPath_.empty() || written_ - writeBackStart_ < kWriteBackStep) return;
    ::sync_file_range(fd_, static_cast<off_t>(writeBackStart_), static_cast<off_t>(written_ - writeBackStart_),
                      SYNC_FILE_RANGE_WRITE);
    writeBackStart_ = written_;
}

void SafeFileWriter::startDescriptorWriteBack() {
    if (fd_ >= 0 && !tempPath_.empty()) ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);  // 0: to the end
}

void SafeFileWriter::patch(std::uint64_t offset, const void* data, std::size_t size) {
    if (fd_ < 0 || tempPath_.empty() || offset + size > written_) fail("patch", EINVAL);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t count = ::pwrite(fd_, bytes, size, static_cast<off_t>(offset));
        if (count < 0) {
            if (errno == EINTR) continue;
            fail("write", errno);
        }
        bytes += count;
        offset += static_cast<std::uint64_t>(count);
        size -= static_cast<std::size_t>(count);
    }
}

void SafeFileWriter::commit() {
    if (fd_ < 0) fail("write", EBADF);
    if (tempPath_.empty()) {
        const int fd = fd_;
        fd_ = -1;
        if (ownsFd_ && ::close(fd) != 0) fail("close", errno);
        return;
    }
    if (keepOwner_) {
        // Owner and group where the process may set them (chown before chmod,
        // which the change of owner would otherwise undo for set-id bits).
        if (::fchown(fd_, keptUid_, keptGid_) != 0) (void)::fchown(fd_, static_cast<uid_t>(-1), keptGid_);
    }
    if (::fchmod(fd_, static_cast<mode_t>(keptMode_)) != 0) fail("chmod", errno);
    if (::fsync(fd_) != 0) fail("fsync", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("close", errno);
    if (::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) fail("rename", errno);
    TempFileRegistry::remove(registrySlot_);
    registrySlot_ = -1;
    tempPath_.clear();
    syncFolder(folderOf(finalPath_));
}

void SafeFileWriter::abandon() noexcept {
    if (fd_ >= 0 && ownsFd_) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        TempFileRegistry::remove(registrySlot_);
        registrySlot_ = -1;
        tempPath_.clear();
    }
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
    SafeFileWriter writer(path);
    writer.write(bytes);
    writer.commit();
}

}  // namespace velmora
