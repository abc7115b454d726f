#include "sound/jack_environment.h"

#include <jack/jack.h>

#include <cstdlib>

namespace velmora {

namespace {

void ignoreJackMessage(const char*) {}

// A short-lived client of the running server, closed when it goes out of scope.
// It asks libjack itself not to start a server: the environment is left alone.
class JackProbe {
public:
    JackProbe() {
        jack_status_t status{};
        client_ = jack_client_open("velmora-probe", JackNoStartServer, &status);
    }
    ~JackProbe() {
        if (client_) jack_client_close(client_);
    }
    JackProbe(const JackProbe&) = delete;
    JackProbe& operator=(const JackProbe&) = delete;

    jack_client_t* client() const { return client_; }

private:
    jack_client_t* client_ = nullptr;
};

}  // namespace

void preventJackServerAutostart() {
    setenv("JACK_NO_START_SERVER", "1", 1);
    jack_set_error_function(ignoreJackMessage);
    jack_set_info_function(ignoreJackMessage);
}

bool jackServerRunning() { return JackProbe().client() != nullptr; }

std::optional<double> jackServerSampleRate() {
    const JackProbe probe;
    if (!probe.client()) return std::nullopt;
    return static_cast<double>(jack_get_sample_rate(probe.client()));
}

std::string jackConnectionsOf(const std::string& client) {
    const JackProbe probe;
    if (!probe.client()) return {};
    const std::string pattern = "^" + client + "(-[0-9]+)?:";
    const char** ports =
        jack_get_ports(probe.client(), pattern.c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
    std::string connections;
    for (std::size_t i = 0; ports && ports[i]; ++i) {
        const char** peers =
            jack_port_get_all_connections(probe.client(), jack_port_by_name(probe.client(), ports[i]));
        for (std::size_t j = 0; peers && peers[j]; ++j)
            connections += (connections.empty() ? "" : ", ") + std::string(peers[j]);
        if (peers) jack_free(peers);
    }
    if (ports) jack_free(ports);
    return connections.empty() ? "not connected" : connections;
}

}  // namespace velmora
