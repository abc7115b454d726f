#include "sound/fluid_log_capture.h"

#include <fluidsynth.h>

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

}  // namespace

void captureFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, keepMessage, nullptr);
        fluid_set_log_function(FLUID_ERR, keepMessage, nullptr);
        fluid_set_log_function(FLUID_WARN, keepMessage, nullptr);
        fluid_set_log_function(FLUID_INFO, dropMessage, nullptr);
        fluid_set_log_function(FLUID_DBG, dropMessage, nullptr);
    });
}

std::string takeFluidLogMessage() {
    std::lock_guard lock(logMutex());
    std::string message;
    message.swap(lastLogMessage());
    return message;
}

}  // namespace velmora
