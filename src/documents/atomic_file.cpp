#include "documents/atomic_file.h"

namespace velmora {

void writeFileAtomically(const std::string& path, std::string_view bytes) { writeFileSafely(path, bytes); }

void writeFileAtomically(const std::string& path, const void* data, std::size_t size) {
    writeFileSafely(path, std::string_view(static_cast<const char*>(data), size));
}

}  // namespace velmora
