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
    bool canPatch() const override { return writer_.canSeek(); }
    void patch(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        writer_.writeAt(offset, data, size);
    }

private:
    SafeFileWriter& writer_;
};

}  // namespace

void exportMidiFile(const std::filesystem::path& path, const ExportRequest& request, RandomSource& rng,
                    const SmfStreamLimits& limits, RenderObserver* observer) {
    // An empty text is refused before the target is touched.
    if (request.playLines.empty()) throw ExportError(kEmptyTextMessage);
    SafeFileWriter writer(path.string());
    SafeWriterSink sink(writer);
    writeMidiFile(request, rng, sink, limits, observer);
    writer.commit();
}

}  // namespace velmora
