#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace velmora {

enum class RollVoice : std::uint8_t { Melody, Chord };

// One note of the roll. Time counts steps (one tick of live playback, 8 ticks
// of the exported file) from the first step of the text.
struct RollNote {
    std::int32_t startStep = 0;
    std::int32_t lengthSteps = 0;
    std::uint8_t pitch = 0;
    RollVoice voice = RollVoice::Melody;
    std::int32_t memoOffset = -1;  // the engine offset of the character that made the note

    std::int32_t endStep() const { return startStep + lengthSteps; }
    bool operator==(const RollNote&) const = default;
};

// The music of a text as the roll shows it.
struct RollModel {
    std::vector<RollNote> notes;   // by start step, then in the order they were sounded
    std::int32_t totalSteps = 0;   // where the music ends
    std::int32_t stepsPerBar = 0;  // 0: the metre is off and there are no bars
    std::uint8_t lowestPitch = 0;  // the range the notes use; 0..0 without notes
    std::uint8_t highestPitch = 0;
    std::int32_t longestNote = 0;  // in steps, to bound searches by start step
    int nameBase = 60;             // names of the pitch axis count from here

    // Two steps make a quarter note and a bar holds meterKind quarters.
    static std::int32_t stepsPerBarOf(std::int32_t meterKind) { return meterKind > 0 ? 2 * meterKind : 0; }
};

// Pairs note-ons with note-offs into notes, as the music is written or played.
// A note-off for a pitch that does not sound is ignored (the file's rest
// releases may write one for note 0); a second note-on of a sounding pitch in
// the same voice ends the first one.
class RollBuilder {
public:
    RollBuilder(std::int32_t meterKind, int nameBase);

    void noteOn(RollVoice voice, std::int32_t step, std::uint8_t pitch, std::int32_t memoOffset);
    void noteOff(RollVoice voice, std::int32_t step, std::uint8_t pitch);
    // Ends every sounding note of the voice (all notes off).
    void allOff(RollVoice voice, std::int32_t step);

    // The notes so far; notes still sounding reach `currentStep`.
    const RollModel& peek(std::int32_t currentStep);
    // The notes as the last peek left them.
    const RollModel& current() const { return model_; }
    // Ends what still sounds at `endStep` and hands the model over.
    RollModel finish(std::int32_t endStep);

private:
    static constexpr std::int32_t kSilent = -1;
    std::array<std::int32_t, 128>& open(RollVoice voice) { return open_[static_cast<std::size_t>(voice)]; }
    void close(std::int32_t index, std::int32_t step);
    void widenRange(std::uint8_t pitch);

    RollModel model_;
    std::array<std::array<std::int32_t, 128>, 2> open_{};  // index of the sounding note per pitch
    std::vector<std::int32_t> sounding_;                     // indices of notes not yet ended
};

}  // namespace velmora
