// The settings file: any text parses; setting one key and writing the file
// changes that key only; the written file reads back as written; the settings
// rows read from any text stay within their controls' limits.

#include "documents/ini_file.h"
#include "documents/settings.h"
#include "documents/settings_keys.h"
#include "fuzz_input.h"

using namespace velmora;
using velmora::fuzz::FuzzInput;

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto keys = settingKeys();
    const SettingKey& changed = keys[input.byte() % keys.size()];
    const std::string value(input.until('\n'));
    const bool isGlobal = input.byte() & 1;
    const IniFile original = IniFile::parse(input.rest());

    (void)readSettings(original, isGlobal);  // any content reads, without a crash

    IniFile edited = original;
    edited.set(changed.section, changed.key, value);
    const std::string written = edited.serialize();
    const IniFile reread = IniFile::parse(written);
    VELMORA_FUZZ_CHECK(reread.serialize() == written);

    // The changed key holds the value up to its first line break, without the blanks around it.
    const std::string_view expected = trimmed(std::string_view(value).substr(0, value.find_first_of("\r\n")));
    const auto readBack = reread.get(changed.section, changed.key);
    VELMORA_FUZZ_CHECK(readBack && *readBack == expected);

    for (const SettingKey& other : keys) {
        if (equalsIgnoringAsciiCase(other.section, changed.section) && equalsIgnoringAsciiCase(other.key, changed.key)) {
            continue;
        }
        VELMORA_FUZZ_CHECK(reread.get(other.section, other.key) == original.get(other.section, other.key));
    }
    return 0;
}
