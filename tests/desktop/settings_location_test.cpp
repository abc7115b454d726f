#include "ui/settings/settings_location.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace velmora {
namespace {

class SettingsFolderChoice : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString folder(const QString& relative) {
        const QString path = QDir(root.path()).filePath(relative);
        QDir().mkpath(path);
        return path;
    }
    SettingsPlaces places(const QString& executableFolder) {
        return {executableFolder, folder("home/.config"), {folder("usr"), folder("opt")}};
    }
    QString userFolder() { return QDir(folder("home/.config")).filePath("velmora"); }
};

TEST_F(SettingsFolderChoice, InstalledProgramUsesTheUsersFolderEvenWhereItMayWrite) {
    // /usr/bin is writable for root: an installed program run by root must
    // still not leave its settings there for every user.
    const QString bin = folder("usr/bin");
    ASSERT_TRUE(QFileInfo(bin).isWritable());
    EXPECT_EQ(chooseSettingsFolder(places(bin)), userFolder());
    EXPECT_EQ(chooseSettingsFolder(places(folder("opt/velmora/bin"))), userFolder());
}

TEST_F(SettingsFolderChoice, InstalledProgramIgnoresASettingsFileBesideIt) {
    const QString bin = folder("usr/bin");
    QFile stale(QDir(bin).filePath(kGlobalSettingsName));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_EQ(chooseSettingsFolder(places(bin)), userFolder());
}

TEST_F(SettingsFolderChoice, ProgramRunFromItsBuildKeepsSettingsBesideItself) {
    const QString build = folder("home/src/velmora/build/src/ui");
    EXPECT_EQ(chooseSettingsFolder(places(build)), build);
}

TEST_F(SettingsFolderChoice, AFolderNamedLikeASystemFolderIsNotInsideIt) {
    const QString lookalike = folder("usrlocal/bin");  // not under "usr"
    EXPECT_EQ(chooseSettingsFolder(places(lookalike)), lookalike);
}

TEST_F(SettingsFolderChoice, ALinkIntoASystemFolderIsJudgedByWhereItLeads) {
    const QString bin = folder("usr/bin");
    const QString link = QDir(root.path()).filePath("portable");
    ASSERT_TRUE(QFile::link(bin, link));
    EXPECT_EQ(chooseSettingsFolder(places(link)), userFolder());
}

TEST_F(SettingsFolderChoice, UnwritableBuildFolderUsesTheUsersFolderUnlessTheFileIsThere) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write into every folder";
    const QString build = folder("shared/build");
    QFile(build).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(chooseSettingsFolder(places(build)), userFolder());
    QFile(build).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile file(QDir(build).filePath(kGlobalSettingsName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QFile(build).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(chooseSettingsFolder(places(build)), build);
    QFile(build).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
}  // namespace velmora
