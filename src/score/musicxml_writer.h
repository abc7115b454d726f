#pragma once

#include <array>
#include <cstdint>
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
    enum class Staff { Whole, Upper, Lower };

    void writeAttributes();
    void writeTempo();
    void collectPieces(const ScoreBar& bar, Staff staff);
    void writePieces(int voice, int staffNumber);
    void writeNote(const Piece& piece, const BarNote* note, bool chord, const char* beam, int voice,
                   int staffNumber);
    void writeLyric(const MelodyLyric& lyric);

    XmlOut& out_;
    ScoreHeading heading_;
    KeySpelling key_;
    const MelodyLyrics* lyrics_;
    const ScorePart* part_ = nullptr;
    ScorePart currentPart_;
    std::vector<BarNote> staffNotes_;
    std::vector<Piece> pieces_;
    std::array<std::array<int, 12>, 7> accidentals_{};  // alteration in force by letter and octave + 1
    std::string lyricText_;
};

}  // namespace velmora
