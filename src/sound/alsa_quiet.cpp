#include "sound/alsa_quiet.h"

#include <alsa/asoundlib.h>

namespace velmora {

namespace {
extern "C" void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

void silenceAlsaLibMessages() { snd_lib_error_set_handler(ignoreAlsaMessage); }

}  // namespace velmora
