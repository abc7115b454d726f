#include "language/language_setting.h"

#include <filesystem>

#include "documents/atomic_file.h"
#include "documents/file_error.h"
#include "documents/file_read.h"
#include "documents/ini_file.h"

namespace velmora {

namespace {
constexpr const char* kSection = "ui";
constexpr const char* kKey = "language";
}  // namespace

LanguageChoice readLanguageChoice(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return LanguageChoice();
    try {
        const IniFile ini = IniFile::parse(readFileBytes(path));
        return LanguageChoice::fromSetting(ini.get(kSection, kKey).value_or(""));
    } catch (const FileError&) {
        return LanguageChoice();  // the window reports an unreadable file when it loads its settings
    }
}

void storeLanguageChoice(const std::string& path, const LanguageChoice& choice) {
    std::error_code error;
    IniFile ini = std::filesystem::exists(path, error) ? IniFile::parse(readFileBytes(path)) : IniFile();
    ini.set(kSection, kKey, choice.setting());
    writeFileAtomically(path, ini.serialize());
}

}  // namespace velmora
