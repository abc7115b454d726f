#include "documents/atomic_file.h"

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

std::string systemReason(const char* step, int error) {
    return std::string(step) + ": " + std::strerror(error);
}

// The file a write to `path` should replace: the target of a symbolic link, so
// that renaming over it does not turn the link into a plain file.
std::string resolveTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        auto target = std::filesystem::canonical(path, error);
        if (!error) return target.string();
    }
    return path;
}

mode_t currentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// Permissions for the new file: those of the file it replaces, else the usual
// ones of a newly created file.
mode_t permissionsFor(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    return 0666 & ~currentUmask();
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no error.
void syncFolderOf(const std::string& target) {
    auto folder = std::filesystem::path(target).parent_path();
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    writeFileAtomically(path, bytes.data(), bytes.size());
}

void writeFileAtomically(const std::string& path, const void* data, std::size_t size) {
    const std::string target = resolveTarget(path);
    std::string tempName = target + ".XXXXXX";
    std::vector<char> nameBuffer(tempName.begin(), tempName.end());
    nameBuffer.push_back('\0');

    int fd = ::mkstemp(nameBuffer.data());
    if (fd < 0) throw FileError(cannotCreateMessage(path), path, systemReason("create", errno));
    tempName.assign(nameBuffer.data());

    auto fail = [&](const char* step, int error) {
        if (fd >= 0) ::close(fd);
        ::unlink(tempName.c_str());
        throw FileError(cannotCreateMessage(path), path, systemReason(step, error));
    };

    if (!writeAll(fd, static_cast<const char*>(data), size)) fail("write", errno);
    if (::fchmod(fd, permissionsFor(target)) != 0) fail("chmod", errno);
    if (::fsync(fd) != 0) fail("fsync", errno);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) fail("close", errno);
    if (::rename(tempName.c_str(), target.c_str()) != 0) fail("rename", errno);
    syncFolderOf(target);
}

}  // namespace velmora
