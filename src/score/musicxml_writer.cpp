#include "score/musicxml_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "smf/text_characters.h"

namespace velmora {

namespace {

constexpr int kMiddleC = 60;

const char* syllabicName(Syllabic syllabic) {
    switch (syllabic) {
        case Syllabic::Begin:
            return "begin";
        case Syllabic::Middle:
            return "middle";
        case Syllabic::End:
            return "end";
        default:
            return "single";
    }
}

const char* accidentalName(int alter) {
    switch (alter) {
        case 2:
            return "double-sharp";
        case 1:
            return "sharp";
        case -1:
            return "flat";
        case -2:
            return "flat-flat";
        default:
            return "natural";
    }
}

// A tempo as MusicXML writes it: whole numbers plain, others to two decimals.
std::string tempoText(double quartersPerMinute) {
    char text[32];
    if (std::abs(quartersPerMinute - std::round(quartersPerMinute)) < 0.005) {
        std::snprintf(text, sizeof text, "%.0f", quartersPerMinute);
    } else {
        std::snprintf(text, sizeof text, "%.2f", quartersPerMinute);
    }
    return text;
}

}  // namespace

MusicXmlWriter::MusicXmlWriter(XmlOut& out, ScoreHeading heading, const MelodyLyrics* lyrics)
    : out_(out),
      heading_(std::move(heading)),
      key_(heading_.fifths),
      fragments_(makeFragments(key_, heading_.metre)),
      lyrics_(lyrics) {}

std::unique_ptr<const MusicXmlWriter::Fragments> MusicXmlWriter::makeFragments(const KeySpelling& key,
                                                                               const ScoreMetre& metre) {
    auto made = std::make_unique<Fragments>();
    Fragments& fragments = *made;
    constexpr const char* kVoices[kStaffKinds] = {"<voice>1</voice>", "<voice>1</voice>", "<voice>2</voice>"};
    constexpr const char* kStaves[kStaffKinds] = {"", "<staff>1</staff>", "<staff>2</staff>"};
    for (int kind = 0; kind < kStaffKinds; ++kind) {
        const auto k = static_cast<std::size_t>(kind);
        fragments.staff[k] = kStaves[kind];
        fragments.measureRest[k] = "      <note><rest measure=\"yes\"/><duration>" +
                                   std::to_string(metre.barSteps) + "</duration>" + kVoices[kind] +
                                   kStaves[kind] + "</note>\n";
    }
    for (int steps = 1; steps <= kLongestSteps; ++steps) {
        const auto s = static_cast<std::size_t>(steps);
        const std::string duration = "<duration>" + std::to_string(steps) + "</duration>";
        fragments.restHead[s] = "      <note><rest/>" + duration;
        const WrittenValue value = writtenValue(steps);
        std::string type = "<type>" + std::string(value.type) + "</type>";
        for (int dot = 0; dot < value.dots; ++dot) type += "<dot/>";
        for (int kind = 0; kind < kStaffKinds; ++kind) {
            const auto k = static_cast<std::size_t>(kind);
            fragments.value[k][s] = kVoices[kind] + type;
            fragments.plainEnding[k][s] = fragments.value[k][s] + kStaves[kind] + "</note>\n";
        }
        for (int pitch = 0; pitch < 128; ++pitch) {
            const SpelledPitch spelled = key.spell(pitch);
            fragments.spelled[static_cast<std::size_t>(pitch)] = spelled;
            std::string xml = "<pitch><step>" + std::string(1, spelled.step()) + "</step>";
            if (spelled.alter != 0) xml += "<alter>" + std::to_string(spelled.alter) + "</alter>";
            xml += "<octave>" + std::to_string(spelled.octave) + "</octave></pitch>" + duration;
            fragments.noteHead[0][static_cast<std::size_t>(pitch)][s] = "      <note>" + xml;
            fragments.noteHead[1][static_cast<std::size_t>(pitch)][s] = "      <note><chord/>" + xml;
        }
    }
    return made;
}

void MusicXmlWriter::beginDocument(const std::vector<ScorePart>& parts) {
    out_.markup(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
        "<score-partwise version=\"4.0\">\n");
    if (!heading_.title.empty()) {
        out_.markup("  <work>\n    ").element("work-title", heading_.title).markup("\n  </work>\n");
    }
    out_.markup(
            "  <identification>\n"
            "    <creator type=\"composer\">Velmora</creator>\n"
            "    <encoding>\n      ")
        .element("software", heading_.software)
        .markup(
            "\n"
            "      <supports element=\"accidental\" type=\"yes\"/>\n"
            "      <supports element=\"beam\" type=\"yes\"/>\n"
            "      <supports element=\"stem\" type=\"no\"/>\n"
            "    </encoding>\n"
            "  </identification>\n"
            "  <part-list>\n");
    for (const ScorePart& part : parts) {
        const std::string instrumentId = part.id + "-I1";
        out_.markup("    <score-part id=\"").text(part.id).markup("\">\n      ");
        out_.element("part-name", part.name).markup("\n      ");
        out_.element("part-abbreviation", part.abbreviation).markup("\n");
        out_.markup("      <score-instrument id=\"").text(instrumentId).markup("\">\n        ");
        out_.element("instrument-name", part.instrument).markup("\n      </score-instrument>\n");
        out_.markup("      <midi-instrument id=\"").text(instrumentId).markup("\">\n        ");
        out_.element("midi-channel", part.midiChannel).markup("\n        ");
        out_.element("midi-program", part.midiProgram)
            .markup("\n      </midi-instrument>\n    </score-part>\n");
    }
    out_.markup("  </part-list>\n");
}

void MusicXmlWriter::beginPart(const ScorePart& part) {
    currentPart_ = part;
    part_ = &currentPart_;
    out_.markup("  <part id=\"").text(part.id).markup("\">\n");
}

void MusicXmlWriter::endPart() {
    out_.markup("  </part>\n");
    part_ = nullptr;
}

void MusicXmlWriter::endDocument() {
    out_.markup("</score-partwise>\n");
    out_.flush();
}

void MusicXmlWriter::writeAttributes() {
    out_.markup("      <attributes>\n        ").element("divisions", kDivisionsPerQuarter);
    out_.markup("\n        <key>").element("fifths", heading_.fifths).markup("</key>\n        <time>");
    out_.element("beats", heading_.metre.beats).markup("<beat-type>4</beat-type></time>\n");
    if (part_->grandStaff) {
        out_.markup(
            "        <staves>2</staves>\n"
            "        <clef number=\"1\"><sign>G</sign><line>2</line></clef>\n"
            "        <clef number=\"2\"><sign>F</sign><line>4</line></clef>\n");
    } else if (part_->bassClef) {
        out_.markup("        <clef><sign>F</sign><line>4</line></clef>\n");
    } else {
        out_.markup("        <clef><sign>G</sign><line>2</line></clef>\n");
    }
    out_.markup("      </attributes>\n");
}

void MusicXmlWriter::writeTempo() {
    const std::string tempo = tempoText(heading_.quartersPerMinute);
    out_.markup(
            "      <direction placement=\"above\">\n"
            "        <direction-type>\n"
            "          <metronome><beat-unit>quarter</beat-unit>")
        .element("per-minute", static_cast<std::int64_t>(std::lround(heading_.quartersPerMinute)))
        .markup("</metronome>\n        </direction-type>\n        <sound tempo=\"")
        .markup(tempo)
        .markup("\"/>\n      </direction>\n");
}

void MusicXmlWriter::bar(const ScoreBar& bar) {
    out_.markup("    <measure number=\"").number(bar.number).markup("\">\n");
    if (bar.number == 1) {
        writeAttributes();
        if (part_->tempoMark) writeTempo();
    }
    if (part_->grandStaff) {
        collectPieces(bar, Staff::Upper);
        writePieces(Staff::Upper);
        out_.markup("      <backup>").element("duration", heading_.metre.barSteps).markup("</backup>\n");
        collectPieces(bar, Staff::Lower);
        writePieces(Staff::Lower);
    } else {
        collectPieces(bar, Staff::Whole);
        writePieces(Staff::Whole);
    }
    if (bar.last) {
        out_.markup("      <barline location=\"right\"><bar-style>light-heavy</bar-style></barline>\n");
    }
    out_.markup("    </measure>\n");
}

// The bar's stretches as one staff sees them, rests merged, each cut into
// written values.
void MusicXmlWriter::collectPieces(const ScoreBar& bar, Staff staff) {
    staffNotes_.clear();
    pieces_.clear();
    const auto inStaff = [staff](std::uint8_t pitch) {
        return staff == Staff::Whole || (staff == Staff::Upper) == (pitch >= kMiddleC);
    };
    std::vector<Span>& spans = spans_;
    spans.clear();
    for (const BarStretch& stretch : bar.stretches) {
        const auto first = static_cast<std::uint32_t>(staffNotes_.size());
        const BarNote* notes = bar.notesOf(stretch);
        for (std::uint32_t i = 0; i < stretch.noteCount; ++i) {
            if (inStaff(notes[i].pitch)) staffNotes_.push_back(notes[i]);
        }
        const auto count = static_cast<std::uint32_t>(staffNotes_.size()) - first;
        if (count == 0 && !spans.empty() && spans.back().count == 0) {
            spans.back().length += stretch.length;  // rests run together
            continue;
        }
        spans.push_back({stretch.offset, stretch.length, first, count, stretch.lyric});
    }
    for (const Span& span : spans) {
        for (std::int32_t done = 0; done < span.length;) {
            const int steps = nextWrittenSteps(heading_.metre, span.offset + done, span.length - done);
            Piece piece;
            piece.offset = span.offset + done;
            piece.steps = steps;
            piece.firstNote = span.first;
            piece.noteCount = span.count;
            piece.first = done == 0;
            piece.last = done + steps == span.length;
            piece.lyric = span.lyric;
            pieces_.push_back(piece);
            done += steps;
        }
    }
}

void MusicXmlWriter::writePieces(Staff staff) {
    for (int letter = 0; letter < 7; ++letter) {
        accidentals_[static_cast<std::size_t>(letter)].fill(key_.signatureAlter(letter));
    }
    if (pieces_.size() == 1 && pieces_[0].noteCount == 0) {
        out_.markup(fragments_->measureRest[static_cast<std::size_t>(staff)]);
        return;
    }
    const auto isEighthNote = [](const Piece& p) { return p.steps == 1 && p.noteCount > 0; };
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const Piece& piece = pieces_[i];
        // Two eighth notes of one beat are beamed.
        const char* beam = nullptr;
        if (isEighthNote(piece) && piece.offset % 2 == 0 && i + 1 < pieces_.size() &&
            isEighthNote(pieces_[i + 1])) {
            beam = "<beam number=\"1\">begin</beam>";
        } else if (isEighthNote(piece) && piece.offset % 2 == 1 && i > 0 && isEighthNote(pieces_[i - 1])) {
            beam = "<beam number=\"1\">end</beam>";
        }
        if (piece.noteCount == 0) {
            writeNote(piece, nullptr, false, nullptr, staff);
            continue;
        }
        for (std::uint32_t n = 0; n < piece.noteCount; ++n) {
            writeNote(piece, &staffNotes_[piece.firstNote + n], n > 0, n == 0 ? beam : nullptr, staff);
        }
    }
}

// One note or rest on one line, its elements in the order MusicXML sets.
void MusicXmlWriter::writeNote(const Piece& piece, const BarNote* note, bool chord, const char* beam,
                               Staff staff) {
    const auto steps = static_cast<std::size_t>(piece.steps);
    const auto kind = static_cast<std::size_t>(staff);
    const bool tieStop = note != nullptr && (!piece.first || note->tiedFromBefore);
    const bool tieStart = note != nullptr && (!piece.last || note->tiedToNext);
    const bool lyric =
        note != nullptr && !chord && piece.first && !note->tiedFromBefore && piece.lyric.present();
    const char* accidental = nullptr;
    if (note == nullptr) {
        out_.markup(fragments_->restHead[steps]);
    } else {
        out_.markup(fragments_->noteHead[chord ? 1 : 0][note->pitch][steps]);
        const SpelledPitch& pitch = fragments_->spelled[note->pitch];
        // A tied continuation keeps its accidental without showing it again.
        int& inForce = accidentals_[static_cast<std::size_t>(pitch.letter)]
                                   [static_cast<std::size_t>(std::clamp(pitch.octave + 1, 0, 11))];
        if (!tieStop && inForce != pitch.alter) {
            accidental = accidentalName(pitch.alter);
            inForce = pitch.alter;
        }
    }
    if (!tieStop && !tieStart && accidental == nullptr && beam == nullptr && !lyric) {
        out_.markup(fragments_->plainEnding[kind][steps]);
        return;
    }
    if (tieStop) out_.markup("<tie type=\"stop\"/>");
    if (tieStart) out_.markup("<tie type=\"start\"/>");
    out_.markup(fragments_->value[kind][steps]);
    if (accidental != nullptr) out_.markup("<accidental>").markup(accidental).markup("</accidental>");
    out_.markup(fragments_->staff[kind]);
    if (beam != nullptr) out_.markup(beam);
    if (tieStop && tieStart) {
        out_.markup("<notations><tied type=\"stop\"/><tied type=\"start\"/></notations>");
    } else if (tieStop) {
        out_.markup("<notations><tied type=\"stop\"/></notations>");
    } else if (tieStart) {
        out_.markup("<notations><tied type=\"start\"/></notations>");
    }
    if (lyric) writeLyric(piece.lyric);
    out_.markup("</note>\n");
}

void MusicXmlWriter::writeLyric(const MelodyLyric& lyric) {
    if (lyrics_ == nullptr) return;
    const std::string_view bytes = lyrics_->bytes(lyric);
    if (bytes.empty()) return;
    lyricText_ = lyricUtf8(bytes);
    out_.markup("<lyric number=\"1\"><syllabic>")
        .markup(syllabicName(lyric.syllabic))
        .markup("</syllabic><text>")
        .text(lyricText_)
        .markup("</text></lyric>");
}

}  // namespace velmora
