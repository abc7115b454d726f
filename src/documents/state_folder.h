#pragma once

#include <filesystem>

namespace velmora {

// The user's state folder for Velmora (what is kept between sessions but is
// no setting): $XDG_STATE_HOME/velmora, or ~/.local/state/velmora.
std::filesystem::path velmoraStateFolder();

}  // namespace velmora
