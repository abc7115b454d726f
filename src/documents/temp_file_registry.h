#pragma once

namespace velmora {

// The temporary files a safe write has created and not yet renamed or removed.
// SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGXFSZ remove them before the signal
// takes its course (the handler that was there before runs, or the default
// action ends the process), so no half-written "<name>.XXXXXX" survives a
// Ctrl-C or a file-size limit. The table is fixed and allocated up front: the
// handlers only read it and unlink, which is safe inside a signal handler.
class TempFileRegistry {
public:
    static constexpr int kSlots = 16;

    // Remembers `path` (at most PATH_MAX-1 bytes) and installs the handlers on
    // first use. Returns the slot, or -1 when the table is full or the path too
    // long (the write goes on; only the clean-up on a signal is lost).
    static int add(const char* path);
    // Forgets the slot (after the rename or the removal).
    static void remove(int slot);
};

}  // namespace velmora
