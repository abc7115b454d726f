#pragma once

#include <string>

namespace velmora {

// The whole content of the regular file at `path`. Throws FileError with
// cannotOpenMessage(path) when it cannot be read (missing, a folder, no access).
std::string readFileBytes(const std::string& path);

}  // namespace velmora
