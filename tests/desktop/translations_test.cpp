#include "language/qt/translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTemporaryDir>

#include "language/language_setting.h"

namespace velmora {
namespace {

QString menuEntry(LanguagePreference preference) {
    for (const LanguageMenuEntry& entry : languageMenuEntries()) {
        if (entry.preference == preference) return entry.label;
    }
    return {};
}

class Translations : public ::testing::Test {
protected:
    void TearDown() override { installTranslations(*QCoreApplication::instance(), Language::Japanese); }
};

TEST_F(Translations, EnglishCatalogueIsBuiltInAndTranslatesTheSourceTexts) {
    ASSERT_TRUE(installTranslations(*QCoreApplication::instance(), Language::English));
    EXPECT_EQ(languageMenuTitle(), "Language");
    EXPECT_EQ(menuEntry(LanguagePreference::Automatic), "Automatic");
    EXPECT_EQ(menuEntry(LanguagePreference::Japanese), QString::fromUtf8("日本語"));
    EXPECT_EQ(menuEntry(LanguagePreference::English), "English");
}

TEST_F(Translations, JapaneseShowsTheSourceTextsAndQtsOwnJapanese) {
    installTranslations(*QCoreApplication::instance(), Language::English);
    const bool qtCatalogue = installTranslations(*QCoreApplication::instance(), Language::Japanese);
    EXPECT_EQ(languageMenuTitle(), QString::fromUtf8("言語"));
    EXPECT_EQ(menuEntry(LanguagePreference::Automatic), QString::fromUtf8("自動"));
    if (QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).exists("qtbase_ja.qm")) {
        EXPECT_TRUE(qtCatalogue);
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    }
}

TEST_F(Translations, MenuChoiceIsKeptAndTakesEffect) {
    QTemporaryDir folder;
    const QString settings = QDir(folder.path()).filePath("velmora.ini");
    EXPECT_EQ(chooseLanguage(*QCoreApplication::instance(), settings, LanguagePreference::English),
              Language::English);
    EXPECT_EQ(menuEntry(LanguagePreference::Automatic), "Automatic");
    EXPECT_EQ(startupLanguage(settings), Language::English);
    EXPECT_EQ(readLanguageChoice(settings.toStdString()).preference(), LanguagePreference::English);

    EXPECT_EQ(chooseLanguage(*QCoreApplication::instance(), settings, LanguagePreference::Japanese),
              Language::Japanese);
    EXPECT_EQ(menuEntry(LanguagePreference::Automatic), QString::fromUtf8("自動"));
    EXPECT_EQ(startupLanguage(settings), Language::Japanese);
}

}  // namespace
}  // namespace velmora
