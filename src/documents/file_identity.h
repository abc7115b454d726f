#pragma once

#include <string>

namespace velmora {

// True when both names lead to one existing file (same device and inode, after
// symbolic links): other names of a file, hard links and links count as the
// file itself. A name where nothing exists yet is no file, so false.
bool sameExistingFile(const std::string& a, const std::string& b);

}  // namespace velmora
