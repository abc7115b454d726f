#include "smf/smf_writer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "midi/midi_bytes.h"

namespace velmora {

namespace {

using namespace midi_bytes;

constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kMetaText = 0x01;
constexpr std::uint8_t kMetaLyric = 0x05;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;

// The largest delta time a Standard MIDI File can carry: four groups of seven bits.
constexpr std::int32_t kMaxDelta = 0x0FFFFFFF;

}  // namespace

void SmfWriter::overwriteByte(std::uint8_t value) {
    if (position_ < buffer_.size()) {
        buffer_[position_] = value;
    } else {
        buffer_.resize(position_);  // a seek past the end leaves zero bytes behind
        buffer_.push_back(value);
    }
    ++position_;
}

void SmfWriter::drain() {
    if (sink_ == nullptr || buffer_.empty()) return;
    sink_->append(buffer_.data(), buffer_.size());
    flushed_ += buffer_.size();
    buffer_.clear();
    position_ = 0;
}

void SmfWriter::writeBytesSlowly(const std::uint8_t* data, std::size_t size) {
    if (position_ < buffer_.size()) {
        // Overwriting a patched field, possibly running on past the end.
        const std::size_t inside = std::min(size, buffer_.size() - position_);
        std::memcpy(buffer_.data() + position_, data, inside);
        buffer_.insert(buffer_.end(), data + inside, data + size);
    } else {
        buffer_.resize(position_);  // a seek past the end leaves zero bytes behind
        buffer_.insert(buffer_.end(), data, data + size);
    }
    position_ += size;
    drainWhenFull();
}

void SmfWriter::writeAscii(const char* text) {
    writeBytes(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
}

void SmfWriter::writeU16(std::uint16_t value) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
    writeBytes(bytes, sizeof bytes);
}

void SmfWriter::writeU32(std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value >> 24),
                                   static_cast<std::uint8_t>(value >> 16),
                                   static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
    writeBytes(bytes, sizeof bytes);
}

std::int32_t SmfWriter::accumulator(SmfTrack track) const {
    return track == SmfTrack::Melody ? melodyTicks_ : chordTicks_;
}

void SmfWriter::setAccumulators(std::int32_t ticks) {
    melodyTicks_ = ticks;
    chordTicks_ = ticks;
}

void SmfWriter::addStep() {
    // Saturate rather than overflow on an absurdly long silence; writeDelta splits it.
    constexpr std::int32_t kLimit = std::numeric_limits<std::int32_t>::max() - kTicksPerStep;
    melodyTicks_ =
        melodyTicks_ > kLimit ? std::numeric_limits<std::int32_t>::max() : melodyTicks_ + kTicksPerStep;
    chordTicks_ =
        chordTicks_ > kLimit ? std::numeric_limits<std::int32_t>::max() : chordTicks_ + kTicksPerStep;
    if (listener_) listener_->stepWritten();
}

namespace {

void writeQuantity(SmfWriter& writer, std::uint32_t value) {
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && count < 4);
    while (count > 1) writer.writeByte(static_cast<std::uint8_t>(groups[--count] | 0x80));
    writer.writeByte(groups[0]);
}

}  // namespace

void SmfWriter::writeDelta(SmfTrack track) {
    std::int32_t& ticks = track == SmfTrack::Melody ? melodyTicks_ : chordTicks_;
    if (ticks < 1) {
        writeByte(0x00);
        return;
    }
    std::int32_t remaining = ticks;
    ticks = 0;
    // A silence longer than one delta can hold is bridged with empty text events.
    while (remaining > kMaxDelta) {
        writeQuantity(*this, kMaxDelta);
        const std::uint8_t emptyText[3] = {kMeta, kMetaText, 0x00};
        writeBytes(emptyText, sizeof emptyText);
        remaining -= kMaxDelta;
    }
    writeQuantity(*this, static_cast<std::uint32_t>(remaining));
}

void SmfWriter::writeNoteOn(std::uint8_t note, std::uint8_t velocity, std::uint8_t channel) {
    const std::uint8_t event[3] = {static_cast<std::uint8_t>(kNoteOn + channel), note, velocity};
    writeBytes(event, sizeof event);
    if (listener_) listener_->noteWritten(channel, note, velocity);
}

void SmfWriter::writeNoteOff(std::uint8_t note, std::uint8_t channel) {
    const std::uint8_t event[3] = {static_cast<std::uint8_t>(kNoteOff + channel), note, 0x00};
    writeBytes(event, sizeof event);
    if (listener_) listener_->noteWritten(channel, note, 0);
}

void SmfWriter::writeProgramChange(std::uint8_t program, std::uint8_t channel) {
    const std::uint8_t event[3] = {0x00, static_cast<std::uint8_t>(kProgramChange + channel), program};
    writeBytes(event, sizeof event);
}

void SmfWriter::writeReverb(std::uint8_t value, std::uint8_t channel) {
    const std::uint8_t event[4] = {0x00, static_cast<std::uint8_t>(kControlChange + channel), kReverbDepth,
                                   value};
    writeBytes(event, sizeof event);
}

void SmfWriter::writePan(std::uint8_t value, std::uint8_t channel) {
    const std::uint8_t event[4] = {0x00, static_cast<std::uint8_t>(kControlChange + channel), kPan, value};
    writeBytes(event, sizeof event);
}

void SmfWriter::writeEndOfTrack() {
    const std::uint8_t event[3] = {kMeta, kMetaEndOfTrack, 0x00};
    writeBytes(event, sizeof event);
}

void SmfWriter::writeLyric(std::string_view text) {
    writeByte(kMeta);
    writeByte(kMetaLyric);
    writeQuantity(*this, static_cast<std::uint32_t>(text.size()));
    writeBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void SmfWriter::patchChunkLength(std::uint64_t position, std::uint32_t length) {
    if (position >= flushed_) {
        seek(position);
        writeU32(length);
        return;
    }
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
                                   static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
    sink_->patch(position, bytes, sizeof bytes);
}

}  // namespace velmora
