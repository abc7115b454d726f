#include "sound/audio_file_renderer.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>
#include <thread>

#include "documents/file_error.h"
#include "sound/audio_file_writer.h"
#include "sound/chunk_pipe.h"
#include "sound/fluid_synth_instance.h"
#include "smf/midi_file_reader.h"
#include "sound/offline_synth_render.h"

namespace velmora {

namespace {

constexpr std::int64_t kChunkFrames = 256 * OfflineSynthRender::kBlockFrames;  // between progress reports
constexpr int kChunkBuffers = 4;
// The largest number of sample bytes a RIFF file can describe.
constexpr std::uint64_t kMaxWavDataBytes = 0xFFFFFFFFull - 36;

struct RenderFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

AudioRenderResult failure(std::string error) {
    AudioRenderResult failed;
    failed.error = std::move(error);
    return failed;
}

bool cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

std::vector<FramedMessage> framedMessages(const std::vector<std::uint8_t>& smfBytes) {
    MidiFileReadResult file = readMidiFile(smfBytes);
    if (!file.content) throw RenderFailure("cannot read the MIDI data: " + file.error);
    std::vector<FramedMessage> messages;
    for (const TimedFileMessage& message : midiFileTimeline(*file.content)) {
        messages.push_back({std::llround(message.seconds * kRenderSampleRate), message});
    }
    return messages;
}

// The synthesizer renders on a thread of its own while this one converts,
// encodes and writes the previous pieces: the synthesizer's thread is the
// slowest step, so it does nothing else, and encoding (FLAC, Vorbis, MP3) and
// the file system cost little extra time.
class RenderPipeline {
public:
    RenderPipeline(OfflineSynthRender& render, AudioFileWriter& writer) : render_(render), writer_(writer) {}

    // False when cancelled. Rethrows what failed on either side.
    bool run(const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
        std::thread synthThread([this] { produce(); });
        bool complete = false;
        try {
            complete = consume(progress, cancel);
        } catch (...) {
            pipe_.close();
            synthThread.join();
            throw;
        }
        pipe_.close();
        synthThread.join();
        if (producerError_) std::rethrow_exception(producerError_);
        return complete;
    }

private:
    void produce() noexcept {
        try {
            while (!render_.finished()) {
                std::optional<StereoChunk> buffer = pipe_.takeEmpty();
                if (!buffer) return;
                render_.renderNext(kChunkFrames, *buffer);
                pipe_.send(std::move(*buffer));
            }
        } catch (...) {
            producerError_ = std::current_exception();
        }
        pipe_.close();
    }

    bool consume(const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
        std::int64_t written = 0;
        while (std::optional<StereoChunk> buffer = pipe_.receive()) {
            if (cancelled(cancel)) return false;
            writer_.write(*buffer);
            written += buffer->frames();
            pipe_.giveBack(std::move(*buffer));
            if (progress) progress(static_cast<double>(written) / static_cast<double>(render_.totalFrames()));
        }
        return !producerError_ && written == render_.totalFrames() && !cancelled(cancel);
    }

    OfflineSynthRender& render_;
    AudioFileWriter& writer_;
    ChunkPipe<StereoChunk> pipe_{kChunkBuffers};
    std::exception_ptr producerError_;
};

AudioRenderResult renderOrThrow(const AudioRenderRequest& request, const std::function<void(double)>& progress,
                                const std::atomic<bool>* cancel) {
    std::vector<FramedMessage> messages = framedMessages(request.smfBytes);
    const std::int64_t lastFrame = messages.empty() ? 0 : messages.back().frame;
    const auto totalFrames = lastFrame + static_cast<std::int64_t>(kReleaseTailSeconds * kRenderSampleRate);
    if (request.format == AudioFileFormat::Wav &&
        static_cast<std::uint64_t>(totalFrames) * OfflineSynthRender::kChannels * 2 > kMaxWavDataBytes) {
        throw RenderFailure(kWavTooLongMessage);
    }

    std::string error;
    const auto synth = createOfflineSynth(request.soundfont, error);
    if (!synth) throw RenderFailure(error);
    OfflineSynthRender render(*synth, std::move(messages), totalFrames);
    AudioFileWriter writer(request.path, request.format, kRenderSampleRate, request.title);
    AudioRenderResult result;
    result.status = AudioRenderResult::Status::Cancelled;
    if (!RenderPipeline(render, writer).run(progress, cancel)) return result;
    writer.commit();
    result.status = AudioRenderResult::Status::Written;
    result.musicSeconds = static_cast<double>(totalFrames) / kRenderSampleRate;
    return result;
}

}  // namespace

AudioRenderResult renderAudioFile(const AudioRenderRequest& request, const std::function<void(double)>& progress,
                                  const std::atomic<bool>* cancel) noexcept {
    try {
        return renderOrThrow(request, progress, cancel);
    } catch (const FileError& e) {
        AudioRenderResult failed = failure(e.englishWithDetail());
        failed.fileError = e;
        return failed;
    } catch (const std::bad_alloc&) {
        return failure("not enough memory to render the music");
    } catch (const std::exception& e) {
        return failure(e.what());
    } catch (...) {
        return failure("rendering the music failed");
    }
}

}  // namespace velmora
