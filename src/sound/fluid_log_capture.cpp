#include "sound/fluid_log_capture.h"

#include <fluidsynth.h>
#include <glib.h>

#include <mutex>

namespace velmora {

namespace {

std::mutex& logMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& lastLogMessage() {
    static std::string message;
    return message;
}

void keepMessage(int /*level*/, const char* message, void* /*data*/) {
    std::lock_guard lock(logMutex());
    lastLogMessage() = message ? message : "";
}

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

std::string takeFluidLogMessage() {
    std::lock_guard lock(logMutex());
    std::string message;
    message.swap(lastLogMessage());
    return message;
}

}  // namespace velmora
