#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// Where a performance stands. Owned by the thread that runs the performance
// (the GUI thread, or the command-line tool's loop); nothing else touches it.
// Lines hold the code-page-932 bytes of the text, upper-cased.
struct PerformanceState {
    std::vector<std::string> playLines;
    std::vector<std::int32_t> lineStarts;  // memo offset of each line's first character
    std::int32_t lineIndex = 0;
    std::int32_t charPos = 0;   // 1-based column of the current character, 0 before the first
    std::int32_t memoPos = 0;   // memo offset used by the grid origin and the elapsed time
    std::int32_t stepCount = 0;
    std::int32_t gridOrigin = 0;
    std::int32_t offbeatRun = 0;
    std::uint8_t accentCut = 0;
    bool wordStart = false;
    bool lineSounded = false;
    std::uint8_t lastMelodyNote = 0;
    std::vector<std::uint8_t> chordNotes;
    bool panicRequest = false;
    std::int32_t visibleLines = 0;
    std::int32_t linePlayStart = 0;
    std::uint8_t keyNote = 0;
    bool playing = false;
    bool linePlaying = false;

    // The counters a performance starts from (Play's reset).
    void resetCounters() {
        charPos = 0;
        lineIndex = 0;
        memoPos = 0;
        offbeatRun = 0;
        gridOrigin = 0;
        stepCount = 0;
        lineSounded = false;
        chordNotes.clear();
    }
};

// The memo offset of each line's first character when every line is followed
// by CR LF (a text loaded from a file, with no wrapping).
std::vector<std::int32_t> lineStartsOfPlainLines(const std::vector<std::string>& lines);

}  // namespace velmora
