#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "score/score_bar.h"
#include "smf/build_midi_file.h"

namespace velmora {

// Finds the character under each melody note, by the engine offset the
// renderer reports, in the text as typed (the request's text lines, else its
// played lines), and how it joins the other sounding letters of its word.
// Offsets are asked for in the order of the text; each byte is passed once.
class MelodyLyrics {
public:
    explicit MelodyLyrics(const ExportRequest& request);

    MelodyLyric at(std::int32_t memoOffset);
    // The character's bytes (CP932).
    std::string_view bytes(const MelodyLyric& lyric) const;

private:
    void moveToLine(std::size_t line);
    Syllabic syllabicAt(const std::string& text) const;

    const std::vector<std::string>& lines_;
    std::vector<std::int32_t> plainStarts_;
    const std::vector<std::int32_t>& starts_;
    std::array<bool, 256> sounding_;
    std::size_t line_ = 0;
    std::size_t characterStart_ = 0;  // where the walk through line_ stands
    bool soundingBefore_ = false;     // a sounding letter of the walk's word lies behind it
};

}  // namespace velmora
