#pragma once

#include <array>
#include <cstdint>

#include "options/performance_options.h"

namespace velmora {

// A written pitch: the letter (0 = C ... 6 = B), its alteration in
// semitones and the octave (4 holds middle C).
struct SpelledPitch {
    int letter = 0;
    int alter = 0;
    int octave = 4;

    char step() const { return "CDEFGAB"[letter]; }
};

// Names pitches within a key signature (sharps positive, flats negative):
// the notes of the signature's major scale by the signature, the others as
// the lowered second, third, sixth and seventh and the raised fourth of its
// tonic, or as a natural where that spelling would need E#, B#, C♭, F♭ or a
// double accidental.
class KeySpelling {
public:
    explicit KeySpelling(int fifths);

    int fifths() const { return fifths_; }
    SpelledPitch spell(int midiPitch) const;
    // What the signature does to a letter: +1, -1 or 0.
    int signatureAlter(int letter) const { return signature_[static_cast<std::size_t>(letter)]; }

private:
    int fifths_;
    std::array<int, 7> signature_{};
    std::array<SpelledPitch, 12> byPitchClass_{};  // octave counted from the pitch class's C
};

// The key signature of a score: among the signatures of zero to six sharps or
// flats, the one that leaves the fewest of the pattern's pitch classes (in its
// tonic mode, with the key shift) outside its scale; on a tie the one the MIDI
// file writes for keyNote, then the one with fewer accidentals.
int scoreFifths(const PerformanceOptions& options, std::uint8_t keyNote);

}  // namespace velmora
