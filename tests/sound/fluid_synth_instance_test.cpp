#include "sound/fluid_synth_instance.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmora {
namespace {

// The loudest sample of a quarter second after a note on `channel`.
float peakOfNote(FluidSynthInstance& synth, std::uint8_t channel) {
    synth.applyMessage(static_cast<std::uint8_t>(0x90 + channel), 72, 110);
    std::vector<float> left(11025), right(11025);
    fluid_synth_write_float(synth.synth(), static_cast<int>(left.size()), left.data(), 0, 1, right.data(), 0,
                            1);
    float peak = 0.0f;
    for (std::size_t i = 0; i < left.size(); ++i)
        peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    return peak;
}

TEST(FluidSynthInstance, BothLiveChannelsSoundWhateverModeMessageCame) {
    for (const std::uint8_t controller : {124, 125, 126, 127}) {  // omni off, omni on, mono on, poly on
        for (const std::uint8_t channel : {0, 1}) {
            std::string error;
            FluidSynthInstance::Options options;
            options.threadSafe = false;
            const auto synth = FluidSynthInstance::create(options, error);
            if (!synth) GTEST_SKIP() << error;
            synth->applyMessage(0xB0, controller, 0);
            EXPECT_GT(peakOfNote(*synth, channel), 0.01f)
                << "controller " << int{controller} << ", channel " << int{channel};
        }
    }
}

}  // namespace
}  // namespace velmora
