#include "documents/state_folder.h"

#include <cstdlib>

namespace velmora {

std::filesystem::path velmoraStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::filesystem::path(state) / "velmora";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "/tmp") / ".local" / "state" / "velmora";
}

}  // namespace velmora
