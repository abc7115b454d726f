#include "smf/midi_file_timeline.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr double kDefaultMicrosecondsPerQuarter = 500000.0;
}

std::vector<TimedFileMessage> midiFileTimeline(const MidiFileContent& content) {
    std::vector<const MidiFileEvent*> merged;
    for (const auto& track : content.tracks) {
        for (const MidiFileEvent& event : track) merged.push_back(&event);
    }
    // Each track is in tick order already; a stable sort keeps the track order at equal ticks.
    std::stable_sort(merged.begin(), merged.end(),
                     [](const MidiFileEvent* a, const MidiFileEvent* b) { return a->tick < b->tick; });

    const bool smpte = content.division < 0;
    const double smpteSecondsPerTick =
        smpte ? 1.0 / (static_cast<double>(-(content.division >> 8)) * (content.division & 0xFF)) : 0.0;
    double secondsPerTick = kDefaultMicrosecondsPerQuarter / 1e6 / content.division;

    std::vector<TimedFileMessage> timeline;
    std::uint64_t lastTick = 0;
    double lastSeconds = 0.0;
    for (const MidiFileEvent* event : merged) {
        const double seconds =
            smpte ? static_cast<double>(event->tick) * smpteSecondsPerTick
                  : lastSeconds + static_cast<double>(event->tick - lastTick) * secondsPerTick;
        lastTick = event->tick;
        lastSeconds = seconds;
        if (event->kind == MidiFileEvent::Kind::Tempo) {
            secondsPerTick = event->microsecondsPerQuarter / 1e6 / content.division;
        } else {
            timeline.push_back({seconds, event->status, event->data1, event->data2});
        }
    }
    return timeline;
}

}  // namespace velmora
