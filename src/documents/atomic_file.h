#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Replaces the file at `path` with `bytes` so that readers see either the old
// or the new content, never a part of it: the bytes go to "<path>.XXXXXX" in
// the same folder, are flushed to disk, and the temporary file is renamed over
// the target. A new file gets the permissions of the umask, an existing one
// keeps its own; a symbolic link is followed, so the file it names is replaced.
//
// On any failure the temporary file is removed, the target is left as it was,
// and FileError is thrown with cannotCreateMessage(path) as its text and the
// system's reason as its detail.
void writeFileAtomically(const std::string& path, std::string_view bytes);
void writeFileAtomically(const std::string& path, const void* data, std::size_t size);

}  // namespace velmora
