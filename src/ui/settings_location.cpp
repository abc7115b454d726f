#include "ui/settings_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora {

QString defaultSettingsFolder() {
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QFileInfo beside(QDir(executableFolder).filePath(kGlobalSettingsName));
    if (beside.exists() || QFileInfo(executableFolder).isWritable()) return executableFolder;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath("velmora");
}

QString globalSettingsPathIn(const QString& folder) {
    const QString chosen = folder.isEmpty() ? defaultSettingsFolder() : folder;
    return QDir(QDir::cleanPath(chosen)).filePath(kGlobalSettingsName);
}

}  // namespace velmora
