#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// Where a score's bytes go as they are written: appended in order; a sink
// that can patch also lets the writer fill in a field it has already handed
// over (a zip entry's sizes in a seekable file).
class ScoreSink {
public:
    virtual ~ScoreSink() = default;
    virtual void append(const char* data, std::size_t size) = 0;
    virtual bool canPatch() const { return false; }
    // Overwrites bytes at `offset` (below the bytes appended so far).
    virtual void patch(std::uint64_t /*offset*/, const char* /*data*/, std::size_t /*size*/) {}
};

}  // namespace velmora
