#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "score/melody_lyrics.h"
#include "score/note_values.h"
#include "score/pitch_spelling.h"
#include "score/score_bar.h"
#include "score/xml_out.h"

namespace velmora {

// One part of the score and how it is laid out.
struct ScorePart {
    std::string id;    // "P1"
    std::string name;  // shown before the first system
    std::string abbreviation;
    std::string instrument;   // the General MIDI program's name
    int midiChannel = 1;      // 1..16
    int midiProgram = 1;      // 1..128
    bool grandStaff = false;  // two staves, split at middle C
    bool bassClef = false;    // one staff in the F clef (else the G clef)
    bool tempoMark = false;   // carries the metronome mark and the sound tempo
};

// What the whole score shares.
struct ScoreHeading {
    std::string title;  // UTF-8; empty: none
    std::string software;
    int fifths = 0;
    ScoreMetre metre;
    double quartersPerMinute = 150.0;
};

// Writes a MusicXML 4.0 score-partwise document: the heading and part list,
// then each part's bars as they come. Lyrics are written for the bars'
// melody notes when `lyrics` is given.
class MusicXmlWriter final : public BarConsumer {
public:
    MusicXmlWriter(XmlOut& out, ScoreHeading heading, const MelodyLyrics* lyrics);

    void beginDocument(const std::vector<ScorePart>& parts);
    void beginPart(const ScorePart& part);
    void bar(const ScoreBar& bar) override;
    void endPart();
    void endDocument();

private:
    enum class Staff { Whole, Upper, Lower };
    static constexpr int kStaffKinds = 3;
    static constexpr int kLongestSteps = 8;

    // A written note or rest of one staff: a piece of a stretch.
    struct Piece {
        std::int32_t offset = 0;
        std::int32_t steps = 0;
        std::uint32_t firstNote = 0;  // into staffNotes_
        std::uint32_t noteCount = 0;
        bool first = true;  // the stretch's first piece (carries its lyric)
        bool last = true;
        MelodyLyric lyric;
    };

    void writeAttributes();
    void writeTempo();
    void collectPieces(const ScoreBar& bar, Staff staff);
    void writePieces(Staff staff);
    void writeNote(const Piece& piece, const BarNote* note, bool chord, const char* beam, Staff staff);
    void writeLyric(const MelodyLyric& lyric);

    // The fixed pieces of a note's markup, made once per score: most notes
    // are written in two pieces, many of the rest in three or four.
    struct Fragments {
        std::array<SpelledPitch, 128> spelled;
        // <note>, <chord/> (second index 1), the pitch, the duration; by pitch and steps
        std::array<std::array<std::array<std::string, kLongestSteps + 1>, 128>, 2> noteHead;
        std::array<std::string, kLongestSteps + 1> restHead;
        // <voice>, <type>, <dot/>: by staff and steps; then <staff>; the plain ending adds </note>
        std::array<std::array<std::string, kLongestSteps + 1>, kStaffKinds> value;
        std::array<std::array<std::string, kLongestSteps + 1>, kStaffKinds> plainEnding;
        std::array<std::string, kStaffKinds> staff;
        std::array<std::string, kStaffKinds> measureRest;
    };
    // On the heap: some 2300 strings would weigh on a worker thread's stack.
    static std::unique_ptr<const Fragments> makeFragments(const KeySpelling& key, const ScoreMetre& metre);

    XmlOut& out_;
    ScoreHeading heading_;
    KeySpelling key_;
    std::unique_ptr<const Fragments> fragments_;
    const MelodyLyrics* lyrics_;
    const ScorePart* part_ = nullptr;
    ScorePart currentPart_;
    std::vector<BarNote> staffNotes_;
    std::vector<Piece> pieces_;
    std::array<std::array<int, 12>, 7> accidentals_{};  // alteration in force by letter and octave + 1
    std::string lyricText_;
    // A stretch as one staff sees it.
    struct Span {
        std::int32_t offset, length;
        std::uint32_t first, count;
        MelodyLyric lyric;
    };
    std::vector<Span> spans_;
};

}  // namespace velmora
