#include "smf/midi_file_reader.h"

#include "midi/midi_bytes.h"

#include <stdexcept>

namespace velmora {

namespace {

constexpr std::size_t kHeaderLength = 6;
constexpr int kMaxQuantityBytes = 4;

class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads big-endian numbers and variable-length quantities from a byte range,
// throwing ReadError on the first byte beyond its end.
class ByteCursor {
public:
    ByteCursor(std::span<const std::uint8_t> bytes, std::size_t base) : bytes_(bytes), base_(base) {}

    bool atEnd() const { return position_ >= bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - position_; }
    std::size_t offset() const { return base_ + position_; }

    std::uint8_t byte() {
        if (atEnd()) throw ReadError("unexpected end at byte " + std::to_string(offset()));
        return bytes_[position_++];
    }
    std::uint8_t peek() const {
        if (atEnd()) throw ReadError("unexpected end at byte " + std::to_string(offset()));
        return bytes_[position_];
    }
    std::uint32_t bigEndian(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = (value << 8) | byte();
        return value;
    }
    std::uint32_t quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < kMaxQuantityBytes; ++i) {
            const std::uint8_t b = byte();
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return value;
        }
        throw ReadError("variable-length number longer than 4 bytes at byte " + std::to_string(offset()));
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        if (count > remaining()) {
            throw ReadError("length " + std::to_string(count) + " runs past the end at byte " +
                            std::to_string(offset()));
        }
        const auto part = bytes_.subspan(position_, count);
        position_ += count;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t base_;
    std::size_t position_ = 0;
};

std::vector<MidiFileEvent> readTrack(ByteCursor cursor) {
    std::vector<MidiFileEvent> events;
    std::uint64_t tick = 0;
    std::uint8_t runningStatus = 0;
    while (!cursor.atEnd()) {
        tick += cursor.quantity();
        std::uint8_t status = cursor.peek();
        if (status < 0x80) {
            if (runningStatus == 0) {
                throw ReadError("data byte without a status at byte " + std::to_string(cursor.offset()));
            }
            status = runningStatus;
        } else {
            cursor.byte();
        }

        if (status == 0xFF) {
            const std::uint8_t type = cursor.byte();
            const auto data = cursor.take(cursor.quantity());
            runningStatus = 0;
            if (type == 0x2F) return events;  // End of Track: ignore anything after it
            if (type == 0x51) {
                if (data.size() != 3) throw ReadError("tempo event of length " + std::to_string(data.size()));
                const std::uint32_t tempo =
                    (std::uint32_t{data[0]} << 16) | (std::uint32_t{data[1]} << 8) | std::uint32_t{data[2]};
                if (tempo == 0) throw ReadError("tempo of zero microseconds per quarter note");
                events.push_back({tick, MidiFileEvent::Kind::Tempo, 0, 0, 0, tempo});
            }
        } else if (status == midi_bytes::kSystemExclusive || status == midi_bytes::kEndOfExclusive) {
            cursor.take(cursor.quantity());
            runningStatus = 0;
        } else if (status > midi_bytes::kSystemExclusive) {
            throw ReadError("system message " + std::to_string(status) + " inside a track at byte " +
                            std::to_string(cursor.offset()));
        } else {
            runningStatus = status;
            MidiFileEvent event{tick, MidiFileEvent::Kind::Channel, status, cursor.byte(), 0, 0};
            if (midi_bytes::shortMessageLength(status) == 3) event.data2 = cursor.byte();
            if (event.data1 > 0x7F || event.data2 > 0x7F) {
                throw ReadError("status byte where a data byte belongs before byte " +
                                std::to_string(cursor.offset()));
            }
            events.push_back(event);
        }
    }
    return events;  // a track without End of Track still plays what it holds
}

MidiFileContent readFile(std::span<const std::uint8_t> bytes) {
    ByteCursor file(bytes, 0);
    if (bytes.size() < 4 || file.bigEndian(4) != 0x4D546864) {
        throw ReadError("not a Standard MIDI File (no MThd header)");
    }
    const std::uint32_t headerLength = file.bigEndian(4);
    if (headerLength < kHeaderLength) throw ReadError("header chunk too short");
    ByteCursor header(file.take(headerLength), 8);
    MidiFileContent content;
    content.format = static_cast<std::uint16_t>(header.bigEndian(2));
    const std::uint32_t declaredTracks = header.bigEndian(2);
    content.division = static_cast<std::int16_t>(header.bigEndian(2));
    if (content.format > 2) throw ReadError("unknown format " + std::to_string(content.format));
    if (content.division == 0) throw ReadError("division of zero ticks");
    if (content.division < 0 && (content.division & 0xFF) == 0)
        throw ReadError("SMPTE division of zero ticks");

    while (!file.atEnd() && content.tracks.size() < declaredTracks) {
        const std::size_t chunkStart = file.offset();
        const std::uint32_t type = file.bigEndian(4);
        const std::uint32_t length = file.bigEndian(4);
        const auto body = file.take(length);
        if (type != 0x4D54726B) continue;  // chunks of unknown type are skipped
        try {
            content.tracks.push_back(readTrack(ByteCursor(body, chunkStart + 8)));
        } catch (const ReadError& error) {
            throw ReadError("track " + std::to_string(content.tracks.size() + 1) + ": " + error.what());
        }
    }
    if (content.tracks.size() < declaredTracks) {
        throw ReadError("the header announces " + std::to_string(declaredTracks) +
                        " tracks but the file holds " + std::to_string(content.tracks.size()));
    }
    return content;
}

}  // namespace

MidiFileReadResult readMidiFile(std::span<const std::uint8_t> bytes) {
    try {
        return {readFile(bytes), {}};
    } catch (const ReadError& error) {
        return {std::nullopt, error.what()};
    }
}

}  // namespace velmora
