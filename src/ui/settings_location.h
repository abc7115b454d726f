#pragma once

#include <QString>

namespace velmora {

inline constexpr const char* kGlobalSettingsName = "velmora.ini";

// The folder of the global settings file: the executable's folder when the
// file is there or the folder is writable (a portable install), else
// "velmora" in the user's configuration folder.
QString defaultSettingsFolder();

// The global settings file in `folder` (the default folder when empty).
QString globalSettingsPathIn(const QString& folder);

}  // namespace velmora
