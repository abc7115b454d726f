#pragma once

#include <cstdint>

namespace velmora {

// The one pseudo-random generator of a performance: letter tables 10 and 11
// draw from it, and so does the chord coin. Injected wherever it is used so that
// tests can script it and a seed reproduces a performance.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 0..bound-1; bound is at least 1.
    virtual int below(int bound) = 0;
};

// xoshiro256** seeded through splitmix64: the same seed gives the same
// sequence on every platform and compiler, unlike std::uniform_int_distribution.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed);
    int below(int bound) override;
    std::uint64_t nextU64();

    // A seed from the clock, for runs that did not ask for one.
    static std::uint64_t clockSeed();

private:
    std::uint64_t state_[4];
};

}  // namespace velmora
