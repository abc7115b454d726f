#pragma once

namespace velmora {

// alsa-lib prints its configuration errors ("cannot find card '0'") straight
// to the terminal when an audio device is probed and missing. The outputs
// report such failures themselves, in one clear sentence, so these are silenced.
void silenceAlsaLibMessages();

}  // namespace velmora
