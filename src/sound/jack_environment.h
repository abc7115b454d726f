#pragma once

namespace velmora {

// libjack starts a JACK server of its own when none runs, which stalls for
// seconds and leaves a server behind; every JACK client we make (the audio
// driver, the MIDI port) must only join a server that already runs. This also
// routes libjack's messages away from stderr: a missing server is no error for
// us, only one output fewer.
void preventJackServerAutostart();

// Whether a JACK server runs now (probed with a short-lived client).
bool jackServerRunning();

}  // namespace velmora
