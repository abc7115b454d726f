#pragma once

#include <cstdint>
#include <string>

#include "mapping/letter_tables.h"
#include "mapping/note_names.h"
#include "mapping/tonic_mode.h"
#include "options/note_range.h"
#include "options/rhythm_grid.h"

namespace velmora {

// What the user chose in the main window: one field per option control, in the
// program's own words (combo boxes and the pattern group give their item index,
// -1 meaning no selection). The option table (options/option_table.h) holds
// each option's settings key, range and initial value; a new PerformanceOptions
// holds the initial values, the window's states when it opens. The engine reads
// these values; it never writes them.
struct PerformanceOptions {
    PerformanceOptions();

    int scalePattern{};                  // the pattern 0..11: letter table, scale and chord rule; -1 none
    bool tonicOnE{};                     // the tonic on E, else on A
    int keyShift{};                      // semitones -8..8
    int rhythmItem{};                    // rhythm item 0..7 (7 is the empty item), -1 none
    RhythmGrid grid{};                   // the rhythm's grid; set through selectRhythm only
    int rhythmCorrection{};              // 0..3
    bool rhythmFromFirstCharacter{};     // the grid counts from the first character, not the first note
    bool skipRestsOnBeats{};             // pass over rests that fall on a grid beat
    bool chordsAtWordStarts{};           // a chord at each word start too
    bool thickChords{};                  // a bass an octave below the root, and more chord notes
    bool octaveDown{};                   // chords an octave lower
    bool unassignedLettersStartWords{};  // letters without a note also mark a word start
    bool twoChannels{};                  // melody on the solo instrument, chords on the backing one
    bool repeatAtEnd{};                  // at the end, play the text again from the top
    int backingInstrument{};             // General MIDI program 0..111, -1 none; the only one on one channel
    int soloInstrument{};                // General MIDI program 0..111, -1 none; used on two channels only
    NoteRange backingRange;              // the backing instrument's limits (on one channel, every note's)
    NoteRange soloRange;                 // the solo instrument's limits (two channels)
    int melodyVelocity{};                // 30..127
    int chordVelocity{};                 // 30..127
    int tickMs{};                        // the tempo: ms per tick, 80..1000 (a typed value may lie outside)
    int backingReverb{};                 // reverb depth of the backing channel
    int melodyReverb{};                  // reverb depth of the melody channel

    bool operator==(const PerformanceOptions&) const = default;

    TonicMode tonicMode() const { return tonicOnE ? TonicMode::E : TonicMode::A; }
    int chordDrop() const { return octaveDown ? 12 : 0; }
    // The multimedia timer's interval: the tempo clamped to 50..1000 ms.
    int timerInterval() const { return tickMs < 50 ? 50 : (tickMs > 1000 ? 1000 : tickMs); }
    // Program numbers for program changes; a combo without selection gives 0.
    std::uint8_t backingProgram() const { return programOf(backingInstrument); }
    std::uint8_t melodyProgram() const { return programOf(twoChannels ? soloInstrument : backingInstrument); }
    static std::uint8_t programOf(int itemIndex) {
        return static_cast<std::uint8_t>(itemIndex < 0 ? 0 : itemIndex);
    }
    // Reverb depth (controller 91) of the melody or the backing channel.
    int reverbDepth(bool melodyChannel) const { return melodyChannel ? melodyReverb : backingReverb; }
    // On one channel both channels play one instrument: the backing pan is centred too.
    bool centresBackingPan() const { return !twoChannels; }
    // The melody's velocity less the accent of the note.
    std::uint8_t accentedMelodyVelocity(int accentCut) const {
        return static_cast<std::uint8_t>(melodyVelocity - accentCut);
    }

    // What the chosen pattern, tonic and key shift make of characters and keys.
    // The letter table's note of an upper-case character (0: none), before the key shift.
    std::uint8_t tableNote(std::uint8_t character, RandomSource& rng) const {
        return letterPitch(scalePattern, character, tonicMode(), rng);
    }
    // A letter table's note shifted into the key: the melody note before range fitting.
    std::uint8_t shiftedNote(std::uint8_t note) const { return static_cast<std::uint8_t>(note + keyShift); }
    // The note the key display names, and its pattern's name.
    std::uint8_t keyNote() const { return velmora::keyNote(scalePattern, tonicMode(), keyShift); }
    std::string patternName() const { return velmora::patternName(scalePattern); }
    // The note name (or names) of a character under the pointer.
    std::string noteName(std::uint8_t character, RandomSource& rng) const {
        return velmora::noteName(character, scalePattern, tonicMode(), rng);
    }
    // Where the note names of sounding notes (which carry the key shift) count from.
    int noteNameBase() const { return nameBase(scalePattern, tonicMode()) + keyShift; }
};

// The rhythm handler, for the rhythm combo, a settings load and --set alike:
// selects rhythm item `item` and takes its grid. The empty item and no selection
// keep the grid as it was.
inline void selectRhythm(PerformanceOptions& options, int item) {
    options.rhythmItem = item;
    if (const auto grid = rhythmGrid(item)) options.grid = *grid;
}

}  // namespace velmora
