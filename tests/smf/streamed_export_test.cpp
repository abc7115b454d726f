// The export streamed to a sink: the same bytes as the file built in memory,
// however often the buffer is handed on, and a track too long for the format's
// 32-bit chunk length refused instead of written corrupt.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "export_fixtures.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::requestFor;

// Collects the stream; patches the way a seekable file would, or refuses to.
class RecordingSink final : public SmfSink {
public:
    explicit RecordingSink(bool patching) : patching_(patching) {}
    void append(const std::uint8_t* data, std::size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
        ++appends;
    }
    bool canPatch() const override { return patching_; }
    void patch(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        ASSERT_TRUE(patching_);
        ASSERT_LE(offset + size, bytes.size());
        std::copy(data, data + size, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        ++patches;
    }

    Bytes bytes;
    int appends = 0;
    int patches = 0;

private:
    bool patching_;
};

ExportRequest longRequest() {
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i) lines.push_back(i % 7 == 0 ? "" : "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG, " + std::to_string(i));
    ExportRequest request = requestFor(lines);
    request.options.scalePattern = 5;
    return request;
}

TEST(StreamedExport, SameBytesAsTheFileBuiltInMemory) {
    const ExportRequest request = longRequest();
    SeededRandom builtRng(11);
    const Bytes built = buildMidiFile(request, builtRng);
    for (const bool patching : {true, false}) {
        for (const std::size_t drainBytes : {std::size_t{1}, std::size_t{64}, std::size_t{4096}, std::size_t{1} << 22}) {
            RecordingSink sink(patching);
            SeededRandom rng(11);
            writeMidiFile(request, rng, sink, {kMaxChunkLength, drainBytes});
            EXPECT_EQ(sink.bytes, built) << "patching " << patching << ", drain at " << drainBytes;
            if (patching && drainBytes <= 64) {
                EXPECT_GE(sink.patches, 2);  // the music tracks' lengths
            }
            if (!patching) {
                EXPECT_EQ(sink.appends, 3);  // header with conductor, and each music track whole
            }
        }
    }
}

TEST(StreamedExport, TrackBeyondTheChunkLimitIsRefusedWithItsSize) {
    const ExportRequest request = longRequest();
    SeededRandom builtRng(11);
    const auto chunks = testing::splitChunks(buildMidiFile(request, builtRng));
    const std::size_t chordLength = chunks.at(3).body.size();
    ASSERT_LT(chunks.at(2).body.size(), chordLength);
    RecordingSink sink(true);
    SeededRandom rng(11);
    try {
        writeMidiFile(request, rng, sink, {chordLength - 1, 64});
        FAIL() << "no error";
    } catch (const ExportError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("chord track would need " + std::to_string(chordLength) + " bytes"),
                  std::string::npos)
            << message;
    }
    SeededRandom exactRng(11);
    RecordingSink exact(true);
    EXPECT_NO_THROW(writeMidiFile(request, exactRng, exact, {chordLength, 64}));
}

TEST(StreamedExport, RefusedExportLeavesTheTargetAsItWas) {
    std::string pattern = (fs::temp_directory_path() / "velmora-stream-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    const fs::path target = folder / "out.mid";
    std::ofstream(target) << "old";
    SeededRandom rng(11);
    EXPECT_THROW(exportMidiFile(target, longRequest(), rng, {100, 64}), ExportError);
    std::ifstream in(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace velmora
