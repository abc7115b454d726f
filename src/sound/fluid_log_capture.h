#pragma once

#include <string>

namespace velmora {

// FluidSynth reports failures (a driver that cannot connect, a bad soundfont)
// only through its log, on stderr. We route its warnings and errors here
// instead, so the reason reaches lastError() and the terminal stays quiet; the
// libraries below it are kept quiet too.
void captureFluidLog();
// The last warning or error logged since the previous call; clears it.
std::string takeFluidLogMessage();

}  // namespace velmora
