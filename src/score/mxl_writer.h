#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "score/score_sink.h"

namespace velmora {

// Writes a compressed MusicXML file (.mxl): a zip archive holding "mimetype"
// (stored, first), META-INF/container.xml naming the score, and the score
// itself, deflated as it is written. Entry sizes are patched into their
// headers when the output can patch, else they follow the data in a data
// descriptor. An archive needing ZIP64 (over 4 GB) is refused with
// ExportError.
class MxlWriter final : public ScoreSink {
public:
    MxlWriter(ScoreSink& out, std::string scoreName = "score.musicxml");
    ~MxlWriter() override;
    MxlWriter(const MxlWriter&) = delete;
    MxlWriter& operator=(const MxlWriter&) = delete;

    // The score's MusicXML.
    void append(const char* data, std::size_t size) override;
    // Ends the score and writes the archive's directory.
    void finish();

private:
    struct Entry {
        std::string name;
        std::uint16_t method = 0;
        std::uint16_t flags = 0;
        std::uint32_t crc = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t size = 0;
        std::uint64_t headerOffset = 0;
    };

    void writeStored(std::string_view name, std::string_view data);
    void writeLocalHeader(Entry& entry);
    void endEntry(Entry& entry);
    void deflateInput(int flush);
    void emit(const void* data, std::size_t size);

    ScoreSink& out_;
    std::uint64_t written_ = 0;
    std::vector<Entry> entries_;
    Entry score_;
    z_stream stream_{};
    bool streamOpen_ = false;
    std::vector<unsigned char> compressed_;
};

}  // namespace velmora
