#pragma once

#include <cstdint>

#include "engine/rhythm_grid.h"
#include "mapping/tonic_mode.h"

namespace velmora {

// What the user chose in the main window: one field per control, holding the
// control's value (combo boxes and the pattern radio group their item index, -1
// meaning no selection). The defaults are the controls' initial states when the
// window opens. The engine reads these values; it never writes them.
struct PerformanceOptions {
    int patern = 0;         // pattern 0..11, -1 none selected
    bool retonic = true;    // tonic on E (checked) or on A
    int ckeyup = 0;         // key shift -8..8
    int cryzm = 3;          // rhythm item 0..7 (7 is the empty item), -1 none
    RhythmGrid grid{8, 4};  // the rhythm handler's result; set through selectRhythm only
    int enryzm = 0;         // rhythm correction 0..3
    bool ctopryzm = false;  // grid counts from the first character
    bool cjump = true;      // pass over rests on a grid beat
    bool hiwaon = true;     // chord at word starts
    bool octwaon = true;    // thicker chords
    bool coctdown = false;  // chords an octave lower
    bool moreon = false;    // unassigned letters also mark a word start
    bool c2chan = false;    // solo and backing instruments on two channels
    bool crept = false;     // repeat at the end of the text
    int gakki = 0;          // backing instrument, General MIDI program, -1 none
    int solo = 74;          // solo instrument, General MIDI program, -1 none
    bool chicut = false;    // backing high limit
    int shicut = 85;
    bool clowcut = false;   // backing low limit
    int slowcut = 54;
    bool chicut2 = false;   // solo high limit
    int shicuts = 85;
    bool clowcut2 = false;  // solo low limit
    int slowcuts = 54;
    int volsolo = 127;      // melody velocity 30..127
    int volback = 110;      // chord velocity 30..127
    int tempo = 200;        // tick interval in ms, 80..1000
    int reverb = 0;         // backing channel reverb depth
    int reverbSolo = 0;     // melody channel reverb depth

    bool operator==(const PerformanceOptions&) const = default;

    TonicMode tonicMode() const { return retonic ? TonicMode::E : TonicMode::A; }
    int keyShift() const { return ckeyup; }
    int chordDrop() const { return coctdown ? 12 : 0; }
    // The multimedia timer's interval: the tempo clamped to 50..1000 ms.
    int timerInterval() const { return tempo < 50 ? 50 : (tempo > 1000 ? 1000 : tempo); }
    // Program numbers for program changes; a combo without selection gives 0.
    std::uint8_t backingProgram() const { return programOf(gakki); }
    std::uint8_t melodyProgram() const { return programOf(c2chan ? solo : gakki); }

    static std::uint8_t programOf(int itemIndex) {
        return static_cast<std::uint8_t>(itemIndex < 0 ? 0 : itemIndex);
    }
};

// The rhythm handler, for the rhythm combo, a settings load and --set alike:
// selects rhythm item `item` and takes its grid. The empty item and no selection
// keep the grid as it was.
inline void selectRhythm(PerformanceOptions& options, int item) {
    options.cryzm = item;
    if (const auto grid = rhythmGrid(item)) options.grid = *grid;
}

}  // namespace velmora
