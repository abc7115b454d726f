#include "documents/file_error.h"
#include "documents/safe_file_writer.h"
#include "smf/build_midi_file.h"

namespace velmora {

namespace {

// The export's bytes go straight into the safe writer's temporary file; chunk
// lengths are patched there, so memory does not grow with the file.
class SafeWriterSink final : public SmfSink {
public:
    explicit SafeWriterSink(SafeFileWriter& writer) : writer_(writer) {}
    void append(const std::uint8_t* data, std::size_t size) override { writer_.write(data, size); }
    bool canPatch() const override { return writer_.replacesTarget(); }
    void patch(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        writer_.patch(offset, data, size);
    }

private:
    SafeFileWriter& writer_;
};

}  // namespace

void exportMidiFile(const std::filesystem::path& path, const ExportRequest& request, RandomSource& rng,
                    const SmfStreamLimits& limits) {
    // An empty text is refused before the target is touched.
    if (request.playLines.empty()) throw ExportError(kEmptyTextMessage);
    try {
        SafeFileWriter writer(path.string());
        SafeWriterSink sink(writer);
        writeMidiFile(request, rng, sink, limits);
        writer.commit();
    } catch (const FileError& error) {
        throw ExportError(error.englishWithDetail(), error.what());
    }
}

}  // namespace velmora
