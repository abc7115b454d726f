#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The languages the interface speaks. Japanese is the source language: its
// texts are the ones in the code.
enum class Language { Japanese, English };

// The user's choice in the settings menu: follow the desktop's locale, or one
// language whatever the locale says.
enum class LanguagePreference { Automatic, Japanese, English };

// The choice as it is kept in velmora.ini ([ui] language=auto|ja|en) and the
// language it gives for a locale name such as "ja_JP.UTF-8" or "C".
class LanguageChoice {
public:
    explicit LanguageChoice(LanguagePreference preference = LanguagePreference::Automatic)
        : preference_(preference) {}

    // An unknown or empty value is the automatic choice, so that a hand-edited
    // file cannot leave the window without a language.
    static LanguageChoice fromSetting(std::string_view value);
    std::string setting() const;

    LanguagePreference preference() const { return preference_; }
    // Japanese for a Japanese locale, English for every other one, unless the
    // user chose a language.
    Language languageFor(std::string_view localeName) const;

private:
    LanguagePreference preference_;
};

// The locale the process runs in for messages, as the C library reads it:
// LC_ALL, then LC_MESSAGES, then LANG; "C" when none is set.
std::string messageLocaleFromEnvironment();

}  // namespace velmora
