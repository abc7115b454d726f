#include "documents/file_error.h"

namespace velmora {

std::string cannotOpenMessage(const std::string& path) { return "ファイル " + path + " は開けません"; }

std::string cannotCreateMessage(const std::string& path) { return "ファイル " + path + " を作成できません"; }

std::string cannotWriteMessage(const std::string& path) { return path + " に書き込めません"; }

FileError FileError::opening(const std::string& path, std::string detail) {
    return FileError(cannotOpenMessage(path), path, std::move(detail), "cannot read " + path);
}

FileError FileError::creating(const std::string& path, std::string detail) {
    return FileError(cannotCreateMessage(path), path, std::move(detail), "cannot write " + path);
}

FileError FileError::writing(const std::string& path, std::string detail) {
    return FileError(cannotWriteMessage(path), path, std::move(detail), "cannot write " + path);
}

}  // namespace velmora
