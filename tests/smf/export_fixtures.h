#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "smf/build_midi_file.h"
#include "smf_reader.h"

namespace velmora::testing {

inline ExportRequest requestFor(std::vector<std::string> lines, std::int32_t meterKind = 4) {
    ExportRequest request;
    request.playLines = std::move(lines);
    request.options.grid = {meterKind == 3 ? 6 : (meterKind == 0 ? 0 : 8), meterKind};
    return request;
}

// Conductor track and the melody and chord tracks of a built file, decoded.
struct ExportedTracks {
    Bytes file;
    std::vector<Chunk> chunks;

    const Bytes& melodyBody() const { return chunks.at(2).body; }
    const Bytes& chordBody() const { return chunks.at(3).body; }
};

inline ExportedTracks buildAndSplit(const ExportRequest& request, std::uint64_t seed = 7) {
    SeededRandom rng(seed);
    ExportedTracks tracks;
    tracks.file = buildMidiFile(request, rng);
    tracks.chunks = splitChunks(tracks.file);
    return tracks;
}

}  // namespace velmora::testing
