#pragma once

#include <QList>
#include <QString>

#include "language/language_choice.h"

class QCoreApplication;

namespace velmora {

// Installs the catalogue of `language` into the application, replacing the one
// installed before: for English ours (the source texts are Japanese), for
// Japanese Qt's own, which the standard dialogs and buttons need. Returns false
// when it could not be loaded; the texts then stay in their source language.
bool installTranslations(QCoreApplication& application, Language language);

// The language the window starts in: the choice kept in the settings file at
// `settingsPath`, else the desktop's locale.
Language startupLanguage(const QString& settingsPath);

// What the window's language menu lists, in the current language: its title
// and one entry per choice, the automatic one first.
struct LanguageMenuEntry {
    LanguagePreference preference;
    QString label;
};
QString languageMenuTitle();
QList<LanguageMenuEntry> languageMenuEntries();

// The language menu's handler: keeps the choice in the settings file and
// installs the catalogues it gives. Throws FileError when the file cannot be
// written. A window that rebuilds its texts on QEvent::LanguageChange shows the
// new language at once; the rest of it follows at the next start.
Language chooseLanguage(QCoreApplication& application, const QString& settingsPath,
                        LanguagePreference preference);

}  // namespace velmora
