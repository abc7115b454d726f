#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "documents/safe_file_writer.h"

namespace velmora {

// The whole of `bytes` at `path` through a SafeFileWriter: a regular file is
// replaced as a whole or not at all, a special file is written directly.
// Throws FileError with cannotCreateMessage(path) as its text and the system's
// reason as its detail.
void writeFileAtomically(const std::string& path, std::string_view bytes);
void writeFileAtomically(const std::string& path, const void* data, std::size_t size);

}  // namespace velmora
