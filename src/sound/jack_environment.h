#pragma once

#include <optional>
#include <string>

namespace velmora {

// libjack starts a JACK server of its own when none runs, which stalls for
// seconds and leaves a server behind; every JACK client we make (the audio
// driver, the MIDI port) must only join a server that already runs. This also
// routes libjack's messages away from stderr: a missing server is no error for
// us, only one output fewer. It changes process-wide state (the environment,
// libjack's handlers), so a program calls it once at start-up, on the main
// thread, before any other thread runs.
void preventJackServerAutostart();

// Whether a JACK server runs now (probed with a short-lived client that never
// starts one). The probes may run on any thread.
bool jackServerRunning();

// The running server's sample rate; nothing when no server runs.
std::optional<double> jackServerSampleRate();

// Where the audio ports of the client `client` (or of a client JACK renamed
// from it, "client-01") are connected: "system:playback_1, system:playback_2";
// "not connected" when nowhere, empty when no server runs.
std::string jackConnectionsOf(const std::string& client);

}  // namespace velmora
