#include "engine/performance_start.h"

#include <utility>

namespace velmora {

namespace {

void takeText(PerformanceState& state, std::vector<std::string> upperLines, std::vector<std::int32_t> lineStarts) {
    state.playLines = std::move(upperLines);
    state.lineStarts = std::move(lineStarts);
    state.lineStarts.resize(state.playLines.size(), 0);
}

void sendReverbs(const PerformanceOptions& options, MidiOutPort& port) {
    port.setReverb(static_cast<std::uint8_t>(options.reverbDepth(false)), kLiveBackingChannel);
    port.setReverb(static_cast<std::uint8_t>(options.reverbDepth(true)), kLiveMelodyChannel);
}

void sendPans(const PerformanceOptions& options, MidiOutPort& port) {
    port.centerPan(kLiveMelodyChannel);
    if (options.centresBackingPan()) port.centerPan(kLiveBackingChannel);
}

}  // namespace

void beginPlay(const PerformanceOptions& options, PerformanceState& state, MidiOutPort& port,
               std::vector<std::string> upperLines, std::vector<std::int32_t> lineStarts) {
    state.resetCounters();
    takeText(state, std::move(upperLines), std::move(lineStarts));
    port.open();
    port.programChange(options.backingProgram(), kLiveBackingChannel);
    port.programChange(options.melodyProgram(), kLiveMelodyChannel);
    sendReverbs(options, port);
    sendPans(options, port);
    state.wordStart = false;
}

void beginLinePlay(const PerformanceOptions& options, PerformanceState& state, MidiOutPort& port,
                   PerformanceTick& tick, std::vector<std::string> upperLines,
                   std::vector<std::int32_t> lineStarts, std::int32_t startLine) {
    state.resetCounters();
    state.lastMelodyNote = 0;
    takeText(state, std::move(upperLines), std::move(lineStarts));
    const auto lastLine = static_cast<std::int32_t>(state.playLines.size()) - 1;
    if (startLine > lastLine) startLine = lastLine;
    if (startLine < 0) startLine = 0;
    state.linePlayStart = state.playLines.empty() ? 0 : state.lineStarts[static_cast<std::size_t>(startLine)];
    tick.prescanToLine(startLine);
    port.open();
    port.programChange(options.backingProgram(), kLiveBackingChannel);
    sendReverbs(options, port);
    sendPans(options, port);
    port.programChange(options.melodyProgram(), kLiveMelodyChannel);
    state.wordStart = false;
}

void allNotesOffBothChannels(MidiOutPort& port) {
    port.allNotesOff(kLiveBackingChannel);
    port.allNotesOff(kLiveMelodyChannel);
}

void silenceAndClose(MidiOutPort& port) {
    port.allSoundOff(kLiveBackingChannel);
    port.allSoundOff(kLiveMelodyChannel);
    port.close();
}

}  // namespace velmora
