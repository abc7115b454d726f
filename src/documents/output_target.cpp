#include "documents/output_target.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "documents/file_error.h"
#include "documents/file_identity.h"

namespace velmora {

namespace {

constexpr int kMaxLinkHops = 40;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

[[noreturn]] void refuse(const std::string& target, FileProblem problem, int systemError = 0,
                         const std::string& about = {}) {
    throw FileError::creating(target, problem, systemError, about);
}

bool inGroup(gid_t group) {
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[static_cast<std::size_t>(i)] == group) return true;
    }
    return false;
}

// A new file, and the replacement of an existing one, is made in the folder.
void checkFolderTakesNewFiles(const std::string& target, const std::string& finalPath) {
    const std::string folder = folderOf(finalPath);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return;
    const int error = errno;
    if (error == EACCES || error == EPERM || error == EROFS) refuse(target, FileProblem::FolderRefusesNewFiles, error, folder);
    refuse(target, FileProblem::System, error);
}

void checkReplaceable(const std::string& target, const OutputTarget& found, nlink_t links) {
    if (links > 1) refuse(target, FileProblem::HardLinks);
    if ((found.mode & 0222) == 0) refuse(target, FileProblem::ReadOnly);
    // The process must be able to write the file itself: the folder's write
    // permission alone does not let it replace another's file.
    const int probe = ::open(found.finalPath.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) refuse(target, FileProblem::System, errno);
    ::close(probe);
    if (::geteuid() != 0 && (found.uid != ::geteuid() || !inGroup(found.gid))) {
        refuse(target, FileProblem::OwnerNotKept, 0, std::to_string(found.uid) + ":" + std::to_string(found.gid));
    }
}

}  // namespace

OutputTarget checkOutputTarget(const std::string& target, const std::vector<ProtectedInput>& inputs) {
    OutputTarget found;
    if (target == "-") {
        found.kind = OutputTarget::Kind::StandardOutput;
        return found;
    }
    if (target.empty()) refuse(target, FileProblem::System, ENOENT);
    for (const ProtectedInput& input : inputs) {
        if (!input.path.empty() && sameExistingFile(target, input.path)) {
            refuse(target, FileProblem::IsInput, 0, input.role + " (" + input.path + ")");
        }
    }
    // Follow symbolic links by hand, so that a dangling one names the file to make.
    found.finalPath = target;
    struct stat info {};
    for (int hops = 0;; ++hops) {
        if (::lstat(found.finalPath.c_str(), &info) != 0) {
            if (errno != ENOENT) refuse(target, FileProblem::System, errno);
            found.kind = OutputTarget::Kind::NewFile;
            checkFolderTakesNewFiles(target, found.finalPath);
            return found;
        }
        if (!S_ISLNK(info.st_mode)) break;
        if (hops == kMaxLinkHops) refuse(target, FileProblem::System, ELOOP);
        std::vector<char> link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlink(found.finalPath.c_str(), link.data(), link.size() - 1);
        if (length < 0) refuse(target, FileProblem::System, errno);
        const std::string linked(link.data(), static_cast<std::size_t>(length));
        found.finalPath = !linked.empty() && linked[0] == '/' ? linked : joinPath(folderOf(found.finalPath), linked);
    }
    if (S_ISDIR(info.st_mode)) refuse(target, FileProblem::Folder);
    if (S_ISBLK(info.st_mode)) refuse(target, FileProblem::BlockDevice);
    if (!S_ISREG(info.st_mode)) {
        found.kind = OutputTarget::Kind::Special;
        return found;
    }
    found.kind = OutputTarget::Kind::ReplaceFile;
    found.mode = info.st_mode & 07777;
    found.uid = info.st_uid;
    found.gid = info.st_gid;
    checkReplaceable(target, found, info.st_nlink);
    checkFolderTakesNewFiles(target, found.finalPath);
    return found;
}

}  // namespace velmora
