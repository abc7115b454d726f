#include "documents/settings_keys.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "documents/ini_file.h"

namespace velmora {
namespace {

using P = PerformanceOptions;
constexpr auto Int = SettingType::Integer;
constexpr auto Bool = SettingType::Boolean;
constexpr auto None = SettingLimit::None;
constexpr auto List = SettingLimit::ListIndex;
constexpr auto Clamp = SettingLimit::Clamp;
constexpr int kLastProgram = 111;  // the instrument lists hold programs 0..111
constexpr int kLastRhythm = 7;     // the rhythm list holds 8 items, the last one empty

constexpr SettingKey global(int row, std::string_view key, int readDefault, std::string_view control,
                            SettingLimit limit = None) {
    return {row, "form", key, Int, readDefault, control, true, limit, 0, kLastProgram, nullptr, nullptr};
}
constexpr SettingKey intRow(int row, std::string_view key, int readDefault, std::string_view control,
                            SettingLimit limit, int low, int high, int P::*option) {
    return {row, "config", key, Int, readDefault, control, false, limit, low, high, option, nullptr};
}
constexpr SettingKey recentRow(int row, std::string_view key) {
    return {row, "recent", key, SettingType::String, 0, "recent documents menu", true, None, 0, 0, nullptr, nullptr};
}
constexpr SettingKey boolRow(int row, std::string_view key, bool readDefault, std::string_view control,
                             bool P::*option) {
    return {row, "config", key, Bool, readDefault ? 1 : 0, control, false, None, 0, 1, nullptr, option};
}

constexpr std::array<SettingKey, kSettingKeyCount> kKeys{{
    global(1, "left", 300, "main window left edge"),
    global(2, "top", 250, "main window top edge"),
    global(3, "pre1", 74, "solopre1", List),
    global(4, "pre2", 69, "solopre2", List),
    global(5, "pre3", 46, "solopre3", List),
    global(6, "pre4", 40, "solopre4", List),
    global(7, "pre5", 42, "solopre5", List),
    global(8, "pre6", 45, "solopre6", List),
    global(9, "com1", 0, "ComboBox1", List),
    global(10, "com2", 49, "ComboBox2", List),
    global(11, "com3", 24, "ComboBox3", List),
    global(12, "com4", 4, "ComboBox4", List),
    global(13, "com5", 45, "ComboBox5", List),
    global(14, "com6", 50, "ComboBox6", List),
    {15, "config", "repeat", Bool, 0, "crept", true, None, 0, 1, nullptr, &P::crept},
    {16, "file", "latest", SettingType::String, 0, "CurrentTextPath", true, None, 0, 0, nullptr, nullptr},
    intRow(17, "inst", 0, "gakki", List, 0, kLastProgram, &P::gakki),
    intRow(18, "solo", 0, "solo", List, 0, kLastProgram, &P::solo),
    intRow(19, "vol", 127, "volsolo", Clamp, 30, 127, &P::volsolo),
    intRow(20, "volback", 110, "volback", Clamp, 30, 127, &P::volback),
    intRow(21, "tempo", 300, "SpinEdit2", Clamp, 80, 1000, &P::tempo),
    intRow(22, "reverb", 0, "SpinEdit3", Clamp, 0, 127, &P::reverb),
    intRow(23, "reverbsolo", 0, "SpinEdit1", Clamp, 0, 127, &P::reverbSolo),
    intRow(24, "patern", 0, "patern", Clamp, -1, 11, &P::patern),
    intRow(25, "hinum", 0, "shicut", Clamp, 60, 100, &P::shicut),
    intRow(26, "lownum", 0, "slowcut", Clamp, 36, 72, &P::slowcut),
    intRow(27, "hinums", 0, "shicuts", Clamp, 60, 100, &P::shicuts),
    intRow(28, "lownums", 0, "slowcuts", Clamp, 36, 72, &P::slowcuts),
    intRow(29, "ryzm", 3, "cryzm", List, 0, kLastRhythm, &P::cryzm),
    intRow(30, "keychg", 0, "ckeyup", Clamp, -8, 8, &P::ckeyup),
    boolRow(31, "tonic", true, "retonic", &P::retonic),
    boolRow(32, "oct", true, "octwaon", &P::octwaon),
    boolRow(33, "waon", true, "hiwaon", &P::hiwaon),
    boolRow(34, "hicut", false, "chicut", &P::chicut),
    boolRow(35, "lowcut", false, "clowcut", &P::clowcut),
    boolRow(36, "hicut2", false, "chicut2", &P::chicut2),
    boolRow(37, "lowcut2", false, "clowcut2", &P::clowcut2),
    boolRow(38, "topryzm", false, "ctopryzm", &P::ctopryzm),
    boolRow(39, "2ch", false, "C2chan", &P::c2chan),
    boolRow(40, "more", false, "moreon", &P::moreon),
    boolRow(41, "jump", true, "cjump", &P::cjump),
    boolRow(42, "octdown", true, "coctdown", &P::coctdown),
    intRow(43, "hosei", 0, "enryzm", Clamp, 0, 3, &P::enryzm),
    {44, "midi", "output", SettingType::String, 0, "output choice", true, None, 0, 0, nullptr, nullptr},
    {45, "midi", "soundfont", SettingType::String, 0, "output choice", true, None, 0, 0, nullptr, nullptr},
    recentRow(46, "file1"),
    recentRow(47, "file2"),
    recentRow(48, "file3"),
    recentRow(49, "file4"),
    recentRow(50, "file5"),
    recentRow(51, "file6"),
    recentRow(52, "file7"),
    recentRow(53, "file8"),
    global(54, "width", 0, "main window width"),
    global(55, "height", 0, "main window height"),
    {56, "midi", "audiodriver", SettingType::String, 0, "audio driver choice", true, None, 0, 0, nullptr,
     nullptr},
    {57, "midi", "audiobuffer", SettingType::String, 0, "audio buffer choice", true, None, 0, 0, nullptr,
     nullptr},
}};

}  // namespace

std::span<const SettingKey> settingKeys() { return kKeys; }

const SettingKey& settingKeyAtRow(int row) {
    if (row < 1 || row > static_cast<int>(kKeys.size())) throw std::out_of_range("no settings row");
    return kKeys[static_cast<std::size_t>(row - 1)];
}

const SettingKey* findOptionKey(std::string_view key) {
    for (const SettingKey& entry : kKeys) {
        bool storesOption = entry.intOption != nullptr || entry.boolOption != nullptr;
        if (storesOption && equalsIgnoringAsciiCase(entry.key, key)) return &entry;
    }
    return nullptr;
}

int limitSettingValue(const SettingKey& key, int value) {
    switch (key.limit) {
        case SettingLimit::ListIndex:
            return (value < key.low || value > key.high) ? -1 : value;
        case SettingLimit::Clamp:
            return std::clamp(value, key.low, key.high);
        case SettingLimit::None:
            break;
    }
    return value;
}

}  // namespace velmora
