#include "documents/recovery_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "documents/atomic_file.h"
#include "documents/file_error.h"
#include "documents/file_read.h"
#include "documents/state_folder.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

// Copies are "<id>.recovery": the text's path on the first line (with '%',
// CR and LF escaped), then the text.
constexpr const char* kCopyExtension = ".recovery";
constexpr const char* kLockExtension = ".lock";

std::string escapeLine(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '%') escaped += "%25";
        else if (c == '\n') escaped += "%0A";
        else if (c == '\r') escaped += "%0D";
        else escaped += c;
    }
    return escaped;
}

std::string unescapeLine(const std::string& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '%' && i + 2 < line.size()) {
            text += static_cast<char>(std::strtol(line.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            text += line[i];
        }
    }
    return text;
}

std::string newId() {
    std::random_device random;
    char id[40];
    std::snprintf(id, sizeof id, "%d-%08x", static_cast<int>(::getpid()), random());
    return id;
}

// Whether a window still holds the lock of `lock`: a lock file that is missing
// or can be locked belongs to nobody.
bool heldByALiveWindow(const fs::path& lock) {
    const int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

std::int64_t modifiedSeconds(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return 0;
    return static_cast<std::int64_t>(status.st_mtime);
}

}  // namespace

fs::path RecoveryStore::defaultFolder() { return velmoraStateFolder() / "recovery"; }

RecoveryStore::RecoveryStore(fs::path folder) : folder_(std::move(folder)) {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) throw FileError::creating(folder_.string(), error.message());
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace, error);
    const std::string id = newId();
    ownCopy_ = folder_ / (id + kCopyExtension);
    ownLock_ = folder_ / (id + kLockExtension);
    lockFd_ = ::open(ownLock_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) throw FileError::creating(ownLock_.string(), std::strerror(errno));
    ::flock(lockFd_, LOCK_EX | LOCK_NB);
}

RecoveryStore::~RecoveryStore() {
    // The copy stays: it is removed when its text is saved or discarded, and
    // a window that ends without either leaves it for the next start.
    std::error_code error;
    if (!fs::exists(ownCopy_, error)) fs::remove(ownLock_, error);
    if (lockFd_ >= 0) ::close(lockFd_);
}

void RecoveryStore::keep(const std::string& textPath, const std::string& text) {
    writeFileAtomically(ownCopy_.string(), escapeLine(textPath) + "\n" + text);
}

void RecoveryStore::forget() {
    std::error_code error;
    fs::remove(ownCopy_, error);
}

void RecoveryStore::adopt(const RecoveryCopy& copy) {
    std::error_code error;
    fs::rename(copy.file, ownCopy_, error);
    if (error) return;
    fs::remove(fs::path(copy.file).replace_extension(kLockExtension), error);
}

std::vector<RecoveryCopy> RecoveryStore::orphans() const {
    std::vector<RecoveryCopy> copies;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
        const fs::path& file = entry.path();
        if (file.extension() != kCopyExtension || file == ownCopy_) continue;
        if (heldByALiveWindow(fs::path(file).replace_extension(kLockExtension))) continue;
        try {
            const std::string bytes = readFileBytes(file.string());
            const std::size_t lineEnd = bytes.find('\n');
            if (lineEnd == std::string::npos) continue;
            copies.push_back({file, unescapeLine(bytes.substr(0, lineEnd)), bytes.substr(lineEnd + 1),
                              modifiedSeconds(file)});
        } catch (const FileError&) {
            // Unreadable now; offered again at a later start.
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.savedAt > b.savedAt; });
    return copies;
}

void RecoveryStore::remove(const RecoveryCopy& copy) {
    std::error_code error;
    fs::remove(copy.file, error);
    fs::remove(fs::path(copy.file).replace_extension(kLockExtension), error);
}

}  // namespace velmora
