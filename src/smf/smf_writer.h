#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "smf/smf_sink.h"

namespace velmora {

enum class SmfTrack { Melody, Chord };

// The file puts the melody on channel 0 and the chords on channel 1.
constexpr std::uint8_t kFileMelodyChannel = 0;
constexpr std::uint8_t kFileChordChannel = 1;

// Told of each note event and each step as the writer takes them.
class SmfNoteListener {
public:
    virtual ~SmfNoteListener() = default;
    virtual void noteWritten(std::uint8_t channel, std::uint8_t note, std::uint8_t velocity) = 0;  // 0: note-off
    virtual void stepWritten() = 0;
};

// A growable, seekable byte buffer with the Standard MIDI File event writers and
// the two pending-delta accumulators of the music tracks. Multi-byte numbers are
// big-endian. No running status: every channel event carries its status byte.
//
// With a sink attached, positions count from the start of the file and the
// buffer holds only what has not been handed over: drain() passes it on, and
// a sink that can patch receives it whenever it reaches `drainBytes` while
// appending, so memory stays bounded however long a track grows.
class SmfWriter {
public:
    static constexpr std::int32_t kTicksPerStep = 8;

    // Passes the buffered bytes to `sink` from now on (see above).
    void attachSink(SmfSink& sink, std::size_t drainBytes) {
        sink_ = &sink;
        drainBytes_ = drainBytes;
        if (sink.canPatch()) buffer_.reserve(drainBytes + 64);
    }
    // Hands every buffered byte to the sink (at a chunk's end).
    void drain();

    const std::vector<std::uint8_t>& bytes() const { return buffer_; }
    // Hands the buffer over and leaves the writer empty.
    std::vector<std::uint8_t> takeBytes() {
        std::vector<std::uint8_t> taken;
        taken.swap(buffer_);
        position_ = 0;
        return taken;
    }
    // Room for `size` bytes in all, so that a file of known rough size is not copied as it grows.
    void reserve(std::size_t size) { buffer_.reserve(size); }
    std::uint64_t position() const { return flushed_ + position_; }
    // Within the buffered bytes (at or after the last drain).
    void seek(std::uint64_t position) { position_ = static_cast<std::size_t>(position - flushed_); }
    void seekToEnd() { position_ = buffer_.size(); }

    void writeByte(std::uint8_t value) {
        // Appending is the common case: every event is written at the end.
        if (position_ == buffer_.size()) {
            buffer_.push_back(value);
            ++position_;
        } else {
            overwriteByte(value);
        }
    }
    void writeBytes(const std::uint8_t* data, std::size_t size) {
        // Events are a few bytes appended at the end: copied byte by byte, as
        // a library copy call per event would cost more than the copy itself.
        if (position_ == buffer_.size() && buffer_.capacity() - buffer_.size() >= size) {
            for (std::size_t i = 0; i < size; ++i) buffer_.push_back(data[i]);
            position_ += size;
            drainWhenFull();
        } else {
            writeBytesSlowly(data, size);
        }
    }
    void writeAscii(const char* text);  // without terminator
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);

    // Pending ticks per music track.
    std::int32_t accumulator(SmfTrack track) const;
    void setAccumulators(std::int32_t ticks);
    // One step of the renderer that takes time: 8 ticks on both tracks.
    void addStep();

    // A value below 1 writes 00 and leaves the accumulators; otherwise the
    // track's accumulator is written as a variable-length quantity and reset.
    void writeDelta(SmfTrack track);
    void writeNoteOn(std::uint8_t note, std::uint8_t velocity, std::uint8_t channel);
    void writeNoteOff(std::uint8_t note, std::uint8_t channel);
    void writeProgramChange(std::uint8_t program, std::uint8_t channel);  // with a zero delta
    void writeReverb(std::uint8_t value, std::uint8_t channel);           // with a zero delta
    void writePan(std::uint8_t value, std::uint8_t channel);              // with a zero delta
    void writeEndOfTrack();                                               // FF 2F 00, no delta
    void writeLyric(std::string_view text);                               // FF 05, no delta
    // Writes the length big-endian at `position`, through the sink when that
    // part was handed over already; the caller seeks back to the end.
    void patchChunkLength(std::uint64_t position, std::uint32_t length);

    // Nothing listens unless set; the listener must outlive its use.
    void setNoteListener(SmfNoteListener* listener) { listener_ = listener; }

private:
    void overwriteByte(std::uint8_t value);
    void writeBytesSlowly(const std::uint8_t* data, std::size_t size);

    void drainWhenFull() {
        if (sink_ != nullptr && buffer_.size() >= drainBytes_ && position_ == buffer_.size() && sink_->canPatch()) {
            drain();
        }
    }

    std::vector<std::uint8_t> buffer_;
    std::size_t position_ = 0;
    std::uint64_t flushed_ = 0;  // bytes handed to the sink
    SmfSink* sink_ = nullptr;
    std::size_t drainBytes_ = 0;
    std::int32_t melodyTicks_ = 0;
    std::int32_t chordTicks_ = 0;
    SmfNoteListener* listener_ = nullptr;
};

}  // namespace velmora
