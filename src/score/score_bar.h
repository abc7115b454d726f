#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// How a melody note's character joins its word's other sounding letters: the
// hyphens between the syllables of one word.
enum class Syllabic : std::uint8_t { Single, Begin, Middle, End };

// The character under a melody note: bytes [pos, pos + width) of the text's
// line `line` (CP932).
struct MelodyLyric {
    std::int32_t line = -1;  // -1: no lyric
    std::int32_t pos = 0;
    std::int32_t width = 0;
    Syllabic syllabic = Syllabic::Single;

    bool present() const { return line >= 0; }
};

struct BarNote {
    std::uint8_t pitch = 0;
    bool tiedFromBefore = false;  // the same note sounded on from the stretch before
    bool tiedToNext = false;      // and sounds on into the stretch after
};

// A stretch of a bar in which the same notes sound; none: a rest.
struct BarStretch {
    std::int32_t offset = 0;  // steps from the bar's start
    std::int32_t length = 0;  // steps
    std::uint32_t firstNote = 0;
    std::uint32_t noteCount = 0;
    MelodyLyric lyric;  // of the melody note struck at its start
};

// One bar of one part, its stretches filling it from start to end.
struct ScoreBar {
    std::int64_t number = 1;  // from 1
    bool last = false;        // the score's last bar
    std::vector<BarStretch> stretches;
    std::vector<BarNote> notes;  // the stretches' notes, by stretch, low to high

    const BarNote* notesOf(const BarStretch& stretch) const { return notes.data() + stretch.firstNote; }
};

// Takes each bar of a part once it can change no more.
class BarConsumer {
public:
    virtual ~BarConsumer() = default;
    virtual void bar(const ScoreBar& bar) = 0;
};

}  // namespace velmora
