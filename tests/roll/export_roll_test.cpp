#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "mapping/letter_tables.h"
#include "roll/export_roll.h"
#include "smf/export_fixtures.h"

namespace velmora {
namespace {

using testing::buildAndSplit;
using testing::parseTrack;
using testing::requestFor;

// The notes of one exported track, paired by a reader of the file itself:
// (start step, length in steps, pitch), the lead-in bar taken off.
using FileNote = std::tuple<std::int32_t, std::int32_t, int>;

std::vector<FileNote> notesOfTrack(const testing::Bytes& body, std::int32_t meterKind) {
    const std::int32_t leadIn = meterKind * 16;
    std::vector<FileNote> notes;
    std::map<int, std::uint32_t> sounding;  // pitch -> start tick
    std::uint32_t now = 0;
    for (const auto& event : parseTrack(body)) {
        now += event.delta;
        if (event.isNoteOn()) {
            sounding.emplace(event.bytes[1], now);
        } else if (event.isNoteOff()) {
            const auto found = sounding.find(event.bytes[1]);
            if (found == sounding.end()) continue;
            notes.emplace_back((static_cast<std::int32_t>(found->second) - leadIn) / 8,
                               static_cast<std::int32_t>(now - found->second) / 8, found->first);
            sounding.erase(found);
        }
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

std::vector<FileNote> notesOfVoice(const RollModel& model, RollVoice voice) {
    std::vector<FileNote> notes;
    for (const RollNote& note : model.notes) {
        if (note.voice == voice) notes.emplace_back(note.startStep, note.lengthSteps, note.pitch);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

struct Case {
    std::vector<std::string> lines;
    int pattern;
    std::int32_t meterKind;
};

TEST(ExportRoll, HoldsExactlyTheNotesTheExportWrites) {
    const std::vector<Case> cases = {
        {{"THE QUICK BROWN FOX", "JUMPS OVER^ THE LAZY DOG"}, 0, 4},
        {{"MORNING WALK IN THE RAIN", "", "*TEA* AND TOAST, THEN HOME"}, 5, 3},
        {{"RANDOM LETTERS PICK NOTES", "AT EVERY CALL"}, 10, 4},
        {{"NO METRE AT ALL HERE"}, 7, 0},
    };
    for (const Case& c : cases) {
        ExportRequest request = requestFor(c.lines, c.meterKind);
        request.options.scalePattern = c.pattern;
        request.options.keyShift = 3;
        const auto tracks = buildAndSplit(request, 11);
        SeededRandom rng(11);
        const RollModel model = buildExportRoll(request, rng);

        const auto melody = notesOfVoice(model, RollVoice::Melody);
        EXPECT_FALSE(melody.empty());
        EXPECT_EQ(melody, notesOfTrack(tracks.melodyBody(), c.meterKind)) << c.lines[0];
        EXPECT_EQ(notesOfVoice(model, RollVoice::Chord), notesOfTrack(tracks.chordBody(), c.meterKind))
            << c.lines[0];
        EXPECT_EQ(model.stepsPerBar, RollModel::stepsPerBarOf(c.meterKind));
    }
}

TEST(ExportRoll, EachMelodyNoteKnowsTheCharacterThatMadeIt) {
    // Plain lines: each line is followed by CR LF in the engine's offsets.
    const std::vector<std::string> lines = {"AB CD", "", "E^F"};
    ExportRequest request = requestFor(lines);
    SeededRandom rng(3);
    const RollModel model = buildExportRoll(request, rng);

    std::vector<std::int32_t> pitched;
    std::int32_t lineStart = 0;
    for (const std::string& line : lines) {
        for (std::size_t column = 0; column < line.size(); ++column) {
            SeededRandom unused(0);
            if (letterPitch(0, static_cast<std::uint8_t>(line[column]), TonicMode::E, unused) != 0) {
                pitched.push_back(lineStart + static_cast<std::int32_t>(column));
            }
        }
        lineStart += static_cast<std::int32_t>(line.size()) + 2;
    }
    std::vector<std::int32_t> offsets;
    for (const RollNote& note : model.notes) {
        if (note.voice == RollVoice::Melody) offsets.push_back(note.memoOffset);
        // A chord is made by the melody note's character.
        if (note.voice == RollVoice::Chord) {
            EXPECT_NE(std::find(pitched.begin(), pitched.end(), note.memoOffset), pitched.end());
        }
    }
    EXPECT_EQ(offsets, pitched);
    EXPECT_EQ(offsets.back(), 7 + 2 + 2);  // "F" on the third line
}

TEST(ExportRoll, AnEmptyTextIsRefusedAsByTheExport) {
    SeededRandom rng(1);
    EXPECT_THROW(buildExportRoll(ExportRequest{}, rng), ExportError);
}

}  // namespace
}  // namespace velmora
