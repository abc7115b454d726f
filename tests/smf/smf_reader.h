#pragma once

// A small, separate reader of Standard MIDI Files for the tests: it splits the
// chunks by their length fields and decodes the events of a track, so that the
// tests check the writer against the file format rather than against itself.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "midi/midi_bytes.h"

namespace velmora::testing {

using Bytes = std::vector<std::uint8_t>;

struct Chunk {
    std::string type;
    Bytes body;  // the bytes after the length field
};

struct Event {
    std::uint32_t delta = 0;
    Bytes bytes;  // status and data; for a meta event FF, type, length, data

    std::uint8_t status() const { return bytes.at(0); }
    bool isNoteOn() const { return (status() & 0xF0) == 0x90 && bytes.at(2) != 0; }
    bool isNoteOff() const { return (status() & 0xF0) == 0x80; }
    bool isMeta(std::uint8_t type) const { return status() == 0xFF && bytes.at(1) == type; }
    int channel() const { return status() < 0xF0 ? status() & 0x0F : -1; }
};

inline std::uint32_t readBigEndian(const Bytes& bytes, std::size_t offset, int size) {
    if (offset + size > bytes.size()) throw std::runtime_error("number past the end");
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value = (value << 8) | bytes[offset + i];
    return value;
}

// Throws when a length field does not match what follows it.
inline std::vector<Chunk> splitChunks(const Bytes& file) {
    std::vector<Chunk> chunks;
    std::size_t offset = 0;
    while (offset < file.size()) {
        if (offset + 8 > file.size()) throw std::runtime_error("truncated chunk header");
        Chunk chunk;
        chunk.type.assign(file.begin() + offset, file.begin() + offset + 4);
        const std::uint32_t length = readBigEndian(file, offset + 4, 4);
        if (offset + 8 + length > file.size()) throw std::runtime_error("chunk longer than the file");
        chunk.body.assign(file.begin() + offset + 8, file.begin() + offset + 8 + length);
        chunks.push_back(std::move(chunk));
        offset += 8 + length;
    }
    return chunks;
}

inline std::uint32_t readQuantity(const Bytes& data, std::size_t& offset) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (offset >= data.size()) throw std::runtime_error("delta past the end");
        const std::uint8_t byte = data[offset++];
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0) return value;
    }
    throw std::runtime_error("variable-length quantity longer than four bytes");
}

// Decodes a track body; running status is rejected, as the writer never uses it.
inline std::vector<Event> parseTrack(const Bytes& body) {
    std::vector<Event> events;
    std::size_t offset = 0;
    while (offset < body.size()) {
        Event event;
        event.delta = readQuantity(body, offset);
        if (offset >= body.size()) throw std::runtime_error("event past the end");
        const std::uint8_t status = body[offset];
        std::size_t size = 0;
        if (status == 0xFF) {
            std::size_t lengthOffset = offset + 2;
            const std::uint32_t length = readQuantity(body, lengthOffset);
            size = lengthOffset - offset + length;
        } else if (midi_bytes::isStatusByte(status) && status < midi_bytes::kSystemExclusive) {
            size = midi_bytes::shortMessageLength(status);
        } else {
            throw std::runtime_error("not a status byte: " + std::to_string(status));
        }
        if (offset + size > body.size()) throw std::runtime_error("event data past the end");
        event.bytes.assign(body.begin() + offset, body.begin() + offset + size);
        offset += size;
        events.push_back(std::move(event));
    }
    return events;
}

}  // namespace velmora::testing
