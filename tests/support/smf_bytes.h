#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace velmora::test {

// Builds Standard MIDI File bytes for the tests, chunk by chunk.
class SmfBytes {
public:
    SmfBytes(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
        append({'M', 'T', 'h', 'd', 0, 0, 0, 6});
        appendBig(format, 2);
        appendBig(tracks, 2);
        appendBig(division, 2);
    }

    // A track chunk holding `events` (delta times included) as given.
    SmfBytes& track(std::initializer_list<std::uint8_t> events) {
        return track(std::vector<std::uint8_t>(events));
    }
    SmfBytes& track(const std::vector<std::uint8_t>& events) {
        append({'M', 'T', 'r', 'k'});
        appendBig(static_cast<std::uint32_t>(events.size()), 4);
        bytes_.insert(bytes_.end(), events.begin(), events.end());
        return *this;
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    void append(std::initializer_list<std::uint8_t> values) { bytes_.insert(bytes_.end(), values); }
    void appendBig(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    std::vector<std::uint8_t> bytes_;
};

// A tempo meta event with delta 0.
inline std::vector<std::uint8_t> tempoEvent(std::uint32_t microsecondsPerQuarter) {
    return {0x00,
            0xFF,
            0x51,
            0x03,
            static_cast<std::uint8_t>(microsecondsPerQuarter >> 16),
            static_cast<std::uint8_t>(microsecondsPerQuarter >> 8),
            static_cast<std::uint8_t>(microsecondsPerQuarter)};
}

}  // namespace velmora::test
