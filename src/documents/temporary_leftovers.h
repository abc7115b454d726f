#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// A safe write's temporary file is "<name>.velmora-XXXXXX" beside its target,
// and its writer holds an exclusive flock on it from its creation until it is
// renamed or removed. A process killed with -9 cannot remove its own: such a
// leftover is told from anything else by that mark, and from a file another
// running writer still fills by the lock it can take.

// ".velmora-" and the six characters mkostemp fills in.
inline constexpr std::string_view kTemporaryMark = ".velmora-";
inline constexpr std::size_t kTemporarySuffixLength = kTemporaryMark.size() + 6;

// Whether a file name carries the mark (a name before it, six letters or
// digits after it).
bool hasTemporaryMark(std::string_view name);

// Removes from `folder` each left-over temporary file of this program: a
// marked name, a regular file owned by this user (links are never followed),
// whose lock nobody holds. Returns how many were removed; never throws.
int removeTemporaryLeftovers(const std::string& folder);

// Where the writers note their temporary files while they write them, so
// that the next start can find the leftovers of folders not written to again.
// The journal is off until a program names its folder (the window and
// velmora-cli do at their start); a writer that cannot note a file writes
// on without it.
class TemporaryFileJournal {
public:
    // $XDG_STATE_HOME/velmora/temporary-files, or
    // ~/.local/state/velmora/temporary-files.
    static std::filesystem::path defaultFolder();
    // Turns the journal on (an empty path turns it off) for every writer of
    // this process.
    static void use(const std::filesystem::path& folder);

    // Notes `temporaryFile`; returns the note's path, empty when the journal
    // is off or the note could not be written.
    static std::string note(const std::string& temporaryFile);
    // Drops a note (the file was renamed or removed). Empty is nothing.
    static void forget(const std::string& notePath);

    // At a start: removes the leftovers in every folder a note names, and
    // the notes of files no running writer holds. Returns how many files were
    // removed; never throws.
    static int removeLeftovers();
};

}  // namespace velmora
