#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The settings file beside a text: its path with the extension (from the last
// dot of the file name, not of a folder) replaced by ".ini", or ".ini" appended
// when the file name has no dot. Empty when that name would be longer than a
// file name can be (255 bytes): such a settings file cannot exist, and the
// text has none.
std::string textSettingsPath(std::string_view textPath);

// The file-name part of `path` (folders removed) with its extension replaced by
// `extension` (for example ".mid" or ".wav"), appended when it has none; just
// `extension` for an empty path.
std::string proposedExportName(std::string_view path, std::string_view extension);

// The part of `path` after the last '/'.
std::string_view fileNamePart(std::string_view path);

}  // namespace velmora
