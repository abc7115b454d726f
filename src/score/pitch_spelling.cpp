#include "score/pitch_spelling.h"

#include <cstdlib>

#include "score/pattern_notes.h"
#include "smf/build_midi_file.h"

namespace velmora {

namespace {

constexpr int kNaturalPitchClass[7] = {0, 2, 4, 5, 7, 9, 11};
// Letters in the order the signature sharps them (F C G D A E B); flats go the other way.
constexpr int kSharpOrder[7] = {3, 0, 4, 1, 5, 2, 6};

int pitchClass(int pitch) { return ((pitch % 12) + 12) % 12; }

// Semitones from the letter's natural to the pitch class, in -6..5.
int alterTo(int letter, int pc) {
    int alter = pitchClass(pc - kNaturalPitchClass[letter]);
    return alter > 5 ? alter - 12 : alter;
}

bool awkward(int letter, int alter) {
    if (alter > 1 || alter < -1) return true;
    if (alter == 1) return letter == 2 || letter == 6;   // E#, B#
    if (alter == -1) return letter == 0 || letter == 3;  // C♭, F♭
    return false;
}

// A chromatic note by its distance above the tonic: letters above the tonic's.
int chromaticLetterOffset(int semitones) {
    switch (semitones) {
        case 1:
            return 1;  // lowered second
        case 3:
            return 2;  // lowered third
        case 6:
            return 3;  // raised fourth
        case 8:
            return 5;  // lowered sixth
        default:
            return 6;  // lowered seventh
    }
}

}  // namespace

KeySpelling::KeySpelling(int fifths) : fifths_(fifths) {
    for (int i = 0; i < std::abs(fifths) && i < 7; ++i) {
        const int letter = fifths > 0 ? kSharpOrder[i] : kSharpOrder[6 - i];
        signature_[static_cast<std::size_t>(letter)] = fifths > 0 ? 1 : -1;
    }
    std::array<bool, 12> spelled{};
    for (int letter = 0; letter < 7; ++letter) {
        const int alter = signature_[static_cast<std::size_t>(letter)];
        const int pc = pitchClass(kNaturalPitchClass[letter] + alter);
        byPitchClass_[static_cast<std::size_t>(pc)] = {letter, alter, 0};
        spelled[static_cast<std::size_t>(pc)] = true;
    }
    // The tonic of the signature's major scale, a fifth up per sharp.
    const int tonicPc = pitchClass(7 * fifths);
    const int tonicLetter = ((4 * fifths) % 7 + 7) % 7;
    for (int pc = 0; pc < 12; ++pc) {
        if (spelled[static_cast<std::size_t>(pc)]) continue;
        int letter = (tonicLetter + chromaticLetterOffset(pitchClass(pc - tonicPc))) % 7;
        int alter = alterTo(letter, pc);
        if (awkward(letter, alter)) {
            // A natural where there is one, else the signature's direction.
            for (int candidate = 0; candidate < 7; ++candidate) {
                if (kNaturalPitchClass[candidate] == pc) letter = candidate;
            }
            if (kNaturalPitchClass[letter] != pc) letter = fifths >= 0 ? (letter + 6) % 7 : (letter + 1) % 7;
            alter = alterTo(letter, pc);
        }
        byPitchClass_[static_cast<std::size_t>(pc)] = {letter, alter, 0};
    }
}

SpelledPitch KeySpelling::spell(int midiPitch) const {
    SpelledPitch spelled = byPitchClass_[static_cast<std::size_t>(pitchClass(midiPitch))];
    // The octave follows the letter: B#3 sounds as C4, C♭5 as B4.
    const int naturalPitch = midiPitch - spelled.alter;
    spelled.octave = (naturalPitch - kNaturalPitchClass[spelled.letter]) / 12 - 1;
    return spelled;
}

int scoreFifths(const PerformanceOptions& options, std::uint8_t keyNote) {
    const std::array<bool, 12> used = patternPitchClasses(options);
    const int fileFifths = keySignatureSharps(keyNote);
    int best = fileFifths;
    int bestOutside = 13;
    for (int fifths : {fileFifths, 0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6}) {
        const KeySpelling key(fifths);
        int outside = 0;
        for (int pc = 0; pc < 12; ++pc) {
            const SpelledPitch spelled = key.spell(pc + 60);
            if (used[static_cast<std::size_t>(pc)] && spelled.alter != key.signatureAlter(spelled.letter))
                ++outside;
        }
        if (outside < bestOutside) {
            best = fifths;
            bestOutside = outside;
        }
    }
    return best;
}

}  // namespace velmora
