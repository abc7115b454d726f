#include "sound/fluid_log_capture.h"

#include <fluidsynth.h>
#include <glib.h>

#include <array>
#include <atomic>
#include <mutex>

namespace velmora {

namespace {

// The last message FluidSynth logged. FluidSynth may log from the audio
// thread, which must never wait or allocate: a writer claims the slot with one
// compare-and-swap and copies into fixed storage, and drops its message when
// another thread holds the slot at that moment. The reader is the thread that
// made the failing call, right after it.
class LogSlot {
public:
    void keep(const char* message) {
        int state = state_.load(std::memory_order_relaxed);
        do {
            if (state == kBusy) return;  // another thread writes or reads it now
        } while (!state_.compare_exchange_weak(state, kBusy, std::memory_order_acquire));
        std::size_t length = 0;
        while (message && message[length] != '\0' && length + 1 < text_.size()) {
            text_[length] = message[length];
            ++length;
        }
        text_[length] = '\0';
        state_.store(kFull, std::memory_order_release);
    }

    std::string take() {
        int state = kFull;
        if (!state_.compare_exchange_strong(state, kBusy, std::memory_order_acquire)) return {};
        std::string message(text_.data());
        state_.store(kEmpty, std::memory_order_release);
        return message;
    }

private:
    static constexpr int kEmpty = 0;
    static constexpr int kBusy = 1;
    static constexpr int kFull = 2;

    std::atomic<int> state_{kEmpty};
    std::array<char, 1024> text_{};  // longer lines are cut
};

// Initialised before any thread runs: a function's static would take a guard on first use.
constinit LogSlot lastLogMessage;

void keepMessage(int /*level*/, const char* message, void* /*data*/) { lastLogMessage.keep(message); }

void dropMessage(int, const char*, void*) {}

void dropGlibMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

void captureFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, keepMessage, nullptr);
        fluid_set_log_function(FLUID_ERR, keepMessage, nullptr);
        fluid_set_log_function(FLUID_WARN, keepMessage, nullptr);
        fluid_set_log_function(FLUID_INFO, dropMessage, nullptr);
        fluid_set_log_function(FLUID_DBG, dropMessage, nullptr);
        // The instrument-patch library FluidSynth tries on files its own loader
        // refuses prints its assertion failures ("** CRITICAL ** ipatch_...")
        // through GLib's log, in GLib's default domain; FluidSynth's own message
        // already says the file could not be loaded.
        g_log_set_handler(nullptr,
                          static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                                      G_LOG_LEVEL_MESSAGE | G_LOG_FLAG_RECURSION),
                          dropGlibMessage, nullptr);
    });
}

std::string takeFluidLogMessage() { return lastLogMessage.take(); }

}  // namespace velmora
