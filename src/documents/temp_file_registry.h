#pragma once

namespace velmora {

// The temporary files a safe write has created and not yet renamed or removed,
// so that a signal that ends the process removes them first (ProcessSignals):
// no half-written "<name>.XXXXXX" survives a Ctrl-C. The table is fixed and
// allocated up front: the signal handler only reads it and unlinks, which is
// safe inside a signal handler.
class TempFileRegistry {
public:
    static constexpr int kSlots = 16;

    // Remembers `path` (at most PATH_MAX-1 bytes). Returns the slot, or -1 when
    // the table is full or the path too long (the write goes on; only the
    // clean-up on a signal is lost).
    static int add(const char* path);
    // Forgets the slot (after the rename or the removal).
    static void remove(int slot);
    // Removes every file still remembered; async-signal-safe.
    static void removeAllFromSignalHandler();
};

}  // namespace velmora
