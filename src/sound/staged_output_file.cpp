#include "sound/staged_output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "documents/file_error.h"

namespace velmora {

namespace {

std::string resolveTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        auto target = std::filesystem::canonical(path, error);
        if (!error) return target.string();
    }
    return path;
}

mode_t permissionsFor(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool isSpecialFile(const std::string& target) {
    struct stat info {};
    return ::stat(target.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode));
}

void syncFolderOf(const std::string& target) {
    const auto folder = std::filesystem::path(target).parent_path();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

StagedOutputFile::StagedOutputFile(const std::string& path) : path_(path), target_(resolveTarget(path)) {
    if (path == "-") {
        direct_ = true;
        fd_ = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
        if (fd_ < 0) fail("standard output", errno);
        return;
    }
    if (isSpecialFile(target_)) {
        direct_ = true;
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) fail("open", errno);
        return;
    }
    std::vector<char> name(target_.begin(), target_.end());
    for (char c : std::string(".XXXXXX")) name.push_back(c);
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) fail("create", errno);
    tempName_ = name.data();
}

StagedOutputFile::~StagedOutputFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !tempName_.empty()) ::unlink(tempName_.c_str());
}

void StagedOutputFile::startWriteBack() {
    if (!direct_ && fd_ >= 0) ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
}

void StagedOutputFile::commit() {
    if (direct_) {
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0) fail("close", errno);
        committed_ = true;
        return;
    }
    if (::fchmod(fd_, permissionsFor(target_)) != 0) fail("chmod", errno);
    if (::fsync(fd_) != 0) fail("fsync", errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) fail("close", errno);
    if (::rename(tempName_.c_str(), target_.c_str()) != 0) fail("rename", errno);
    committed_ = true;
    syncFolderOf(target_);
}

void StagedOutputFile::fail(const char* step, int error) {
    throw FileError::creating(path_, std::string(step) + ": " + std::strerror(error));
}

}  // namespace velmora
