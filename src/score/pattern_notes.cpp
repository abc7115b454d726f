#include "score/pattern_notes.h"

namespace velmora {

namespace {

// Always the same draw: the usual note for 9, the alternative for 0.
class FixedDraw final : public RandomSource {
public:
    explicit FixedDraw(int value) : value_(value) {}
    int below(int bound) override { return value_ < bound ? value_ : bound - 1; }

private:
    int value_;
};

std::uint8_t upperAscii(int byte) {
    return static_cast<std::uint8_t>(byte >= 'a' && byte <= 'z' ? byte - 32 : byte);
}

}  // namespace

std::array<bool, 256> soundingBytes(const PerformanceOptions& options) {
    std::array<bool, 256> sounds{};
    FixedDraw rng(0);
    for (int byte = 0; byte < 256; ++byte) {
        sounds[static_cast<std::size_t>(byte)] =
            options.tableNote(upperAscii(byte), rng) != 0;
    }
    return sounds;
}

std::array<bool, 12> patternPitchClasses(const PerformanceOptions& options) {
    std::array<bool, 12> used{};
    for (const int draw : {0, 9}) {
        FixedDraw rng(draw);
        for (int byte = 0; byte < 256; ++byte) {
            const std::uint8_t note = options.tableNote(static_cast<std::uint8_t>(byte), rng);
            if (note != 0) used[static_cast<std::size_t>(((note + options.keyShift) % 12 + 12) % 12)] = true;
        }
    }
    return used;
}

}  // namespace velmora
