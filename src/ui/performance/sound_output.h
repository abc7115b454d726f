#pragma once

#include <memory>
#include <optional>
#include <string>

#include "midi/midi_backend.h"
#include "midi/midi_out_port.h"
#include "roll/live_roll_recorder.h"
#include "ui/performance/output_settings.h"

namespace velmora {

// The output the performance sounds through: the settings that chose it, the
// backend made from them and the port over it, with the piano roll's recorder
// between the port and the backend. A backend given from outside
// (a test's capture) stays in place whatever the settings say.
class SoundOutput {
public:
    explicit SoundOutput(std::unique_ptr<MidiBackend> given = nullptr);

    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Makes the output the settings name and takes it; on failure the output
    // and settings in use stay, and the reason is returned.
    std::optional<std::string> choose(const OutputSettings& settings);

    const OutputSettings& settings() const { return settings_; }
    MidiOutPort& port() { return port_; }
    LiveRollRecorder& rollRecorder() { return recorder_; }
    // The output's open error when it is new since the last call; nothing when
    // the output opened or the same error was reported already.
    std::optional<std::string> newOpenError();

private:
    NullBackend silent_;
    std::unique_ptr<MidiBackend> backend_;
    bool given_ = false;
    OutputSettings settings_;
    std::string lastOpenError_;
    LiveRollRecorder recorder_{silent_};
    MidiOutPort port_{recorder_};
};

}  // namespace velmora
