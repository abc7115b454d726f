#pragma once

#include <atomic>

namespace velmora {

// The one owner of the process's signal handling; nothing else installs or
// restores handlers.
//
// - SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE first remove the temporary
//   files of unfinished safe writes (TempFileRegistry) and run the last words
//   (the terminal's mode), then take their course: the handler that was there
//   before install() runs, or the default action ends the process.
// - While an Interruptible lives, SIGINT, SIGTERM, SIGHUP and SIGQUIT only set
//   interrupted(): long work stops by itself, removes what it made and says so.
// - A signal the process ignored when install() ran stays ignored (a run
//   under nohup goes on when the terminal closes).
// - SIGXFSZ is ignored: a file-size limit makes a write fail with EFBIG, which
//   is reported as every other write error is.
class ProcessSignals {
public:
    // Once, from the main thread, before other threads start (both programs'
    // main()). Further calls do nothing.
    static void install();

    class Interruptible {
    public:
        Interruptible();  // clears interrupted()
        ~Interruptible();
        Interruptible(const Interruptible&) = delete;
        Interruptible& operator=(const Interruptible&) = delete;
    };
    static const std::atomic<bool>& interrupted();

    // An async-signal-safe function run before a signal ends the process;
    // null for none.
    static void setLastWords(void (*lastWords)());

    // While set (not -1), SIGINT, SIGTERM and SIGHUP end nothing: their number
    // is written as one byte to `fd` (a non-blocking pipe), so that the window
    // can close as a close does, keeping what the user has not saved.
    static void setEndingNotice(int fd);
};

}  // namespace velmora
