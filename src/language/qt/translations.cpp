#include "language/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "language/language_setting.h"

namespace velmora {

namespace {

// Our catalogues are built into the program; Qt's come with the system.
constexpr const char* kCatalogueFolder = ":/i18n";
constexpr const char* kInstalledMark = "velmora-catalogue";

void removeInstalledTranslations(QCoreApplication& application) {
    for (QTranslator* translator : application.findChildren<QTranslator*>(kInstalledMark)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

bool install(QCoreApplication& application, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    translator->setObjectName(kInstalledMark);
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace

bool installTranslations(QCoreApplication& application, Language language) {
    removeInstalledTranslations(application);
    // Qt's own texts are English already, ours Japanese.
    if (language == Language::English) return install(application, "velmora_en", kCatalogueFolder);
    return install(application, "qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Language startupLanguage(const QString& settingsPath) {
    const LanguageChoice choice = readLanguageChoice(settingsPath.toStdString());
    return choice.languageFor(QLocale::system().name().toStdString());
}

QString languageMenuTitle() { return QCoreApplication::translate("LanguageMenu", "言語"); }

QList<LanguageMenuEntry> languageMenuEntries() {
    // The languages are named in their own tongue; only the automatic entry is translated.
    return {{LanguagePreference::Automatic, QCoreApplication::translate("LanguageMenu", "自動")},
            {LanguagePreference::Japanese, QStringLiteral("日本語")},
            {LanguagePreference::English, QStringLiteral("English")}};
}

Language chooseLanguage(QCoreApplication& application, const QString& settingsPath,
                        LanguagePreference preference) {
    const LanguageChoice choice(preference);
    storeLanguageChoice(settingsPath.toStdString(), choice);
    const Language language = choice.languageFor(QLocale::system().name().toStdString());
    installTranslations(application, language);
    return language;
}

}  // namespace velmora
