#include "documents/file_error.h"

namespace velmora {

std::string cannotOpenMessage(const std::string& path) { return "ファイル " + path + " は開けません"; }

std::string cannotCreateMessage(const std::string& path) { return "ファイル " + path + " を作成できません"; }

std::string cannotWriteMessage(const std::string& path) { return path + " に書き込めません"; }

}  // namespace velmora
