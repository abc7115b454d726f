#include "cli/trace_command.h"

#include "cli/cli_performance.h"
#include "cli/loop_timer.h"
#include "cli/player_host.h"

namespace velmora::cli {

namespace {

// Prints every short message as "TICK STATUS DATA1 DATA2".
class TraceBackend final : public MidiBackend {
public:
    explicit TraceBackend(std::ostream& out) : out_(out) {}
    bool open() override { return true; }
    void close() override {}
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        out_ << tick_ << ' ' << int{status} << ' ' << int{data1} << ' ' << int{data2} << '\n';
    }
    void beginTick(std::uint64_t tick) override { tick_ = tick; }

private:
    std::ostream& out_;
    std::uint64_t tick_ = 0;
};

}  // namespace

void runTrace(const CliSetup& setup, std::optional<std::int32_t> fromLine, std::ostream& out) {
    TraceBackend output(out);
    PlayerHost host(setup);
    LoopTimer tickTimer;  // only switched: the ticks run back to back
    CliPerformance performance(setup, output, tickTimer, host);
    performance.start(fromLine);
    // The trace ends with the text; the end wait and the stop after it are not traced.
    while (tickTimer.enabled()) performance.transport().tick();
}

}  // namespace velmora::cli
