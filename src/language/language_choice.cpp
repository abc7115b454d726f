#include "language/language_choice.h"

#include <cstdlib>

namespace velmora {

namespace {

constexpr std::string_view kAutomatic = "auto";
constexpr std::string_view kJapanese = "ja";
constexpr std::string_view kEnglish = "en";

bool isJapaneseLocale(std::string_view localeName) {
    // "ja", "ja_JP", "ja_JP.UTF-8", "ja_JP.eucJP@...": the language part is "ja".
    const std::string_view language = localeName.substr(0, localeName.find_first_of("_.@-"));
    return language == kJapanese;
}

}  // namespace

LanguageChoice LanguageChoice::fromSetting(std::string_view value) {
    if (value == kJapanese) return LanguageChoice(LanguagePreference::Japanese);
    if (value == kEnglish) return LanguageChoice(LanguagePreference::English);
    return LanguageChoice(LanguagePreference::Automatic);
}

std::string LanguageChoice::setting() const {
    switch (preference_) {
        case LanguagePreference::Japanese:
            return std::string(kJapanese);
        case LanguagePreference::English:
            return std::string(kEnglish);
        case LanguagePreference::Automatic:
            break;
    }
    return std::string(kAutomatic);
}

Language LanguageChoice::languageFor(std::string_view localeName) const {
    switch (preference_) {
        case LanguagePreference::Japanese:
            return Language::Japanese;
        case LanguagePreference::English:
            return Language::English;
        case LanguagePreference::Automatic:
            break;
    }
    return isJapaneseLocale(localeName) ? Language::Japanese : Language::English;
}

std::string messageLocaleFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

}  // namespace velmora
