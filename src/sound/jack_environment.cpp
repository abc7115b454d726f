#include "sound/jack_environment.h"

#include <jack/jack.h>

#include <cstdlib>

namespace velmora {

namespace {
void ignoreJackMessage(const char*) {}
}  // namespace

void preventJackServerAutostart() {
    setenv("JACK_NO_START_SERVER", "1", 1);
    jack_set_error_function(ignoreJackMessage);
    jack_set_info_function(ignoreJackMessage);
}

bool jackServerRunning() {
    preventJackServerAutostart();
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("velmora-probe", JackNoStartServer, &status);
    if (!probe) return false;
    jack_client_close(probe);
    return true;
}

}  // namespace velmora
