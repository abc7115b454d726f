#pragma once

#include <string>
#include <vector>

namespace velmora {

// A file the work reads, which its output must never replace: the text, a
// settings file, the soundfont. `role` names it in messages ("the text").
struct ProtectedInput {
    std::string role;
    std::string path;
};

// What is at an output's name, as the one check below found it.
struct OutputTarget {
    enum class Kind {
        StandardOutput,  // "-"
        NewFile,         // nothing there yet: a file is made
        ReplaceFile,     // a regular file, replaced by a complete new one
        Special,         // a character device, FIFO or socket: opened and written, never replaced
    };
    Kind kind = Kind::NewFile;
    std::string finalPath;  // symbolic links followed (a dangling one names the file to make)
    unsigned mode = 0;      // of the file replaced
    unsigned uid = 0;
    unsigned gid = 0;
};

// The one refusal check of every file the program writes, before anything is
// written. Throws FileError (FileError::creating) with the problem:
// - IsInput: the name leads to one of `inputs` (by identity: links and other
//   names count);
// - Folder, BlockDevice;
// - HardLinks: a file with other names, which replacing it would split off;
// - ReadOnly: a file whose permissions let no one write it, also for the
//   superuser; System (EACCES) for one the process may not write;
// - OwnerNotKept: a file of another user, or of a group the process is not
//   in, when the process cannot give a new file that owner (only the
//   superuser can): replacing it would take it over;
// - FolderRefusesNewFiles: a folder where no file can be made (a new file, or
//   the replacement of an existing one, is made in the folder);
// - System: the name cannot be looked at (a missing folder, a loop of links).
// Special files are only looked at, never opened here: a FIFO's reader would
// see its end.
OutputTarget checkOutputTarget(const std::string& target, const std::vector<ProtectedInput>& inputs = {});

}  // namespace velmora
