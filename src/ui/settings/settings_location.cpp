#include "ui/settings/settings_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora {

namespace {

bool isInside(const QString& folder, const QString& parent) {
    const QString cleanFolder = QDir::cleanPath(folder);
    const QString cleanParent = QDir::cleanPath(parent);
    if (cleanParent.isEmpty()) return false;
    if (cleanParent == "/") return true;
    return cleanFolder == cleanParent || cleanFolder.startsWith(cleanParent + '/');
}

// The folder with symbolic links resolved, so that a link in a system folder
// to a build (or the reverse) is judged by where the program really is.
QString resolved(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? folder : canonical;
}

}  // namespace

QString chooseSettingsFolder(const SettingsPlaces& places) {
    const QString userFolder = QDir(places.userConfigFolder).filePath("velmora");
    const QString executableFolder = resolved(places.executableFolder);
    for (const QString& system : places.systemFolders) {
        if (isInside(executableFolder, resolved(system))) return userFolder;
    }
    const QFileInfo beside(QDir(places.executableFolder).filePath(kGlobalSettingsName));
    if (beside.exists() || QFileInfo(places.executableFolder).isWritable()) return places.executableFolder;
    return userFolder;
}

SettingsPlaces runningSettingsPlaces() {
    SettingsPlaces places;
    places.executableFolder = QCoreApplication::applicationDirPath();
    places.userConfigFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    places.systemFolders = {"/usr", "/bin", "/sbin", "/opt", "/snap", "/app"};
#ifdef VELMORA_INSTALL_PREFIX
    places.systemFolders << QStringLiteral(VELMORA_INSTALL_PREFIX);
#endif
    return places;
}

QString defaultSettingsFolder() { return chooseSettingsFolder(runningSettingsPlaces()); }

QString globalSettingsPathIn(const QString& folder) {
    const QString chosen = folder.isEmpty() ? defaultSettingsFolder() : folder;
    return QDir(QDir::cleanPath(chosen)).filePath(kGlobalSettingsName);
}

}  // namespace velmora
