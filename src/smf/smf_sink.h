#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// Where a Standard MIDI File goes as it is written: bytes are appended in
// order; a sink that can patch also lets the writer fill in a chunk length at
// an offset already handed over (a seekable file). Without patching, the
// writer keeps each chunk whole in memory until its length is known.
class SmfSink {
public:
    virtual ~SmfSink() = default;
    virtual void append(const std::uint8_t* data, std::size_t size) = 0;
    virtual bool canPatch() const { return false; }
    // Overwrites bytes at `offset` (below the bytes appended so far).
    virtual void patch(std::uint64_t /*offset*/, const std::uint8_t* /*data*/, std::size_t /*size*/) {}
};

}  // namespace velmora
