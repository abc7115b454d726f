#include "documents/temporary_leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <system_error>
#include <vector>

#include "documents/state_folder.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

std::mutex journalMutex;
fs::path journalFolder;  // empty: off; behind journalMutex

fs::path currentJournalFolder() {
    std::lock_guard<std::mutex> lock(journalMutex);
    return journalFolder;
}

// Removes `name` in the open folder when it is a leftover: a regular file of
// this user that nobody holds locked. The lock is taken on the file that was
// opened, and the name must still lead to that file when it is removed.
bool removeIfLeftover(int folderFd, const char* name) {
    // Only a regular file is opened: opening a device may do something.
    struct stat named {};
    if (::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode)) return false;
    const int fd = ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    bool removed = false;
    struct stat opened {};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        if (::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino) {
            removed = ::unlinkat(folderFd, name, 0) == 0;
        }
    }
    ::close(fd);
    return removed;
}

// Whether a running writer still holds `path` (a marked file of this user).
bool heldByAWriter(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

std::string readNote(const fs::path& note) {
    const int fd = ::open(note.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    char buffer[4097];
    const ssize_t count = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (count <= 0) return {};
    std::string text(buffer, static_cast<std::size_t>(count));
    const auto end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(0, end);
}

bool olderThanAMinute(const fs::path& file) {
    struct stat info {};
    return ::lstat(file.c_str(), &info) == 0 && info.st_mtime + 60 < ::time(nullptr);
}

}  // namespace

bool hasTemporaryMark(std::string_view name) {
    if (name.size() <= kTemporarySuffixLength) return false;
    const std::string_view suffix = name.substr(name.size() - kTemporarySuffixLength);
    if (suffix.substr(0, kTemporaryMark.size()) != kTemporaryMark) return false;
    for (char c : suffix.substr(kTemporaryMark.size())) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

int removeTemporaryLeftovers(const std::string& folder) {
    const int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return 0;
    DIR* listing = ::fdopendir(::dup(folderFd));
    if (listing == nullptr) {
        ::close(folderFd);
        return 0;
    }
    // Names first, removals after: a folder changed while it is read may
    // show a name twice or not at all.
    std::vector<std::string> marked;
    while (const dirent* entry = ::readdir(listing)) {
        if (hasTemporaryMark(entry->d_name)) marked.emplace_back(entry->d_name);
    }
    ::closedir(listing);
    int removed = 0;
    for (const std::string& name : marked) removed += removeIfLeftover(folderFd, name.c_str()) ? 1 : 0;
    ::close(folderFd);
    return removed;
}

fs::path TemporaryFileJournal::defaultFolder() { return velmoraStateFolder() / "temporary-files"; }

void TemporaryFileJournal::use(const fs::path& folder) {
    std::lock_guard<std::mutex> lock(journalMutex);
    journalFolder = folder;
}

std::string TemporaryFileJournal::note(const std::string& temporaryFile) {
    const fs::path folder = currentJournalFolder();
    if (folder.empty()) return {};
    std::error_code error;
    if (fs::create_directories(folder, error)) fs::permissions(folder, fs::perms::owner_all, error);
    std::string path = (folder / "XXXXXX").string();
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) return {};
    const std::string line = fs::absolute(temporaryFile, error).string() + "\n";
    const bool written = !error && ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    ::close(fd);
    if (written) return path;
    ::unlink(path.c_str());
    return {};
}

void TemporaryFileJournal::forget(const std::string& notePath) {
    if (!notePath.empty()) ::unlink(notePath.c_str());
}

int TemporaryFileJournal::removeLeftovers() {
    const fs::path folder = currentJournalFolder();
    if (folder.empty()) return 0;
    std::error_code error;
    std::vector<fs::path> notes;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        notes.push_back(it->path());
    }
    int removed = 0;
    for (const fs::path& note : notes) {
        const std::string file = readNote(note);
        const fs::path written(file);
        if (!written.is_absolute() || !hasTemporaryMark(written.filename().string())) {
            // A note a writer is filling at this moment, or one it never
            // finished (a kill between its creation and its line).
            if (olderThanAMinute(note)) ::unlink(note.c_str());
            continue;
        }
        removed += removeTemporaryLeftovers(written.parent_path().string());
        if (!heldByAWriter(file)) ::unlink(note.c_str());
    }
    return removed;
}

}  // namespace velmora
