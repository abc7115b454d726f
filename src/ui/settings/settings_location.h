#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

inline constexpr const char* kGlobalSettingsName = "velmora.ini";

// What decides where the global settings file lives.
struct SettingsPlaces {
    QString executableFolder;   // where the running program is
    QString userConfigFolder;   // the user's configuration folder (~/.config)
    QStringList systemFolders;  // folders of installed programs (/usr, /opt, the install prefix)
};

// The folder of the global settings file. An installed program (one under a
// system folder) keeps it in "velmora" in the user's configuration folder,
// even when the program's folder is writable (as /usr/bin is for root), so
// that no two users share it. A program run from its build or an unpacked
// folder keeps it beside itself when it is already there or the folder is
// writable, else in the user's configuration folder.
QString chooseSettingsFolder(const SettingsPlaces& places);

// The places of the running program.
SettingsPlaces runningSettingsPlaces();

// chooseSettingsFolder(runningSettingsPlaces()).
QString defaultSettingsFolder();

// The global settings file in `folder` (the default folder when empty).
QString globalSettingsPathIn(const QString& folder);

}  // namespace velmora
