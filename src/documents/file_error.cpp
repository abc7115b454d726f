#include "documents/file_error.h"

#include <cstring>

namespace velmora {

std::string cannotOpenMessage(const std::string& path) { return "ファイル " + path + " は開けません"; }

std::string cannotCreateMessage(const std::string& path) { return "ファイル " + path + " を作成できません"; }

std::string cannotWriteMessage(const std::string& path) { return path + " に書き込めません"; }

std::string fileProblemReason(FileProblem problem, int systemError, const std::string& about) {
    const std::string system = systemError != 0 ? std::strerror(systemError) : "";
    switch (problem) {
        case FileProblem::System:
            return system;
        case FileProblem::Folder:
            return "it is a folder";
        case FileProblem::BlockDevice:
            return "a block device is not written to";
        case FileProblem::HardLinks:
            return "the file has other names (hard links); replacing it would split them";
        case FileProblem::ReadOnly:
            return "the file is read-only";
        case FileProblem::OwnerNotKept:
            return "the file belongs to another user or group (" + about +
                   "), which a new file could not keep; it was left as it is";
        case FileProblem::FolderRefusesNewFiles:
            return "the folder " + about + " does not allow new files (" + system +
                   "), and the file is replaced through a new file beside it";
        case FileProblem::NoReader:
            return "no process reads from it";
        case FileProblem::Removed:
            return "the file being written was removed, with its folder or alone";
        case FileProblem::IsInput:
            return "it is " + about + "; nothing was written";
    }
    return system;
}

FileError FileError::opening(const std::string& path, std::string detail) {
    return FileError(cannotOpenMessage(path), path, std::move(detail), "cannot read " + path);
}

FileError FileError::creating(const std::string& path, std::string detail) {
    return FileError(cannotCreateMessage(path), path, std::move(detail), "cannot write " + path);
}

FileError FileError::writing(const std::string& path, std::string detail) {
    return FileError(cannotWriteMessage(path), path, std::move(detail), "cannot write " + path);
}

FileError& FileError::withProblem(FileProblem problem, int systemError, const std::string& about) {
    problem_ = problem;
    systemError_ = systemError;
    about_ = about;
    return *this;
}

FileError FileError::creating(const std::string& path, FileProblem problem, int systemError,
                              const std::string& about) {
    return creating(path, fileProblemReason(problem, systemError, about)).withProblem(problem, systemError, about);
}

FileError FileError::writing(const std::string& path, FileProblem problem, int systemError,
                             const std::string& about) {
    return writing(path, fileProblemReason(problem, systemError, about)).withProblem(problem, systemError, about);
}

}  // namespace velmora
