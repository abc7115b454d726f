#include "documents/settings_keys.h"

#include <array>
#include <stdexcept>

#include "documents/ini_file.h"

namespace velmora {
namespace {

constexpr auto Int = SettingType::Integer;
constexpr auto String = SettingType::String;
constexpr auto None = ValueLimit::None;

SettingKey windowRow(int row, std::string_view key, int readDefault) {
    return {row, "form", key, Int, readDefault, true, None, 0, 0, nullptr};
}
// A preset is an item of the instrument lists, as the instrument options are.
SettingKey presetRow(int row, std::string_view key, int readDefault) {
    const OptionDefinition& list = optionDefinition(OptionId::BackingInstrument);
    return {row, "form", key, Int, readDefault, true, list.limit, list.low, list.high, nullptr};
}
SettingKey stringRow(int row, std::string_view section, std::string_view key) {
    return {row, section, key, String, 0, true, None, 0, 0, nullptr};
}
SettingKey optionRow(int row, OptionId id) {
    const OptionDefinition& o = optionDefinition(id);
    const SettingType type = o.isSwitch ? SettingType::Boolean : Int;
    return {row, o.section, o.key, type, o.readDefault, o.globalOnly, o.limit, o.low, o.high, &o};
}

std::array<SettingKey, kSettingKeyCount> makeKeys() {
    return {{
        windowRow(1, "left", 300),
        windowRow(2, "top", 250),
        presetRow(3, "pre1", 74),
        presetRow(4, "pre2", 69),
        presetRow(5, "pre3", 46),
        presetRow(6, "pre4", 40),
        presetRow(7, "pre5", 42),
        presetRow(8, "pre6", 45),
        presetRow(9, "com1", 0),
        presetRow(10, "com2", 49),
        presetRow(11, "com3", 24),
        presetRow(12, "com4", 4),
        presetRow(13, "com5", 45),
        presetRow(14, "com6", 50),
        optionRow(15, OptionId::RepeatAtEnd),
        stringRow(16, "file", "latest"),
        optionRow(17, OptionId::BackingInstrument),
        optionRow(18, OptionId::SoloInstrument),
        optionRow(19, OptionId::MelodyVelocity),
        optionRow(20, OptionId::ChordVelocity),
        optionRow(21, OptionId::TickMs),
        optionRow(22, OptionId::BackingReverb),
        optionRow(23, OptionId::MelodyReverb),
        optionRow(24, OptionId::ScalePattern),
        optionRow(25, OptionId::BackingHighNote),
        optionRow(26, OptionId::BackingLowNote),
        optionRow(27, OptionId::SoloHighNote),
        optionRow(28, OptionId::SoloLowNote),
        optionRow(29, OptionId::RhythmItem),
        optionRow(30, OptionId::KeyShift),
        optionRow(31, OptionId::TonicOnE),
        optionRow(32, OptionId::ThickChords),
        optionRow(33, OptionId::ChordsAtWordStarts),
        optionRow(34, OptionId::BackingHighEnabled),
        optionRow(35, OptionId::BackingLowEnabled),
        optionRow(36, OptionId::SoloHighEnabled),
        optionRow(37, OptionId::SoloLowEnabled),
        optionRow(38, OptionId::RhythmFromFirstCharacter),
        optionRow(39, OptionId::TwoChannels),
        optionRow(40, OptionId::UnassignedLettersStartWords),
        optionRow(41, OptionId::SkipRestsOnBeats),
        optionRow(42, OptionId::OctaveDown),
        optionRow(43, OptionId::RhythmCorrection),
        stringRow(44, "midi", "output"),
        stringRow(45, "midi", "soundfont"),
        stringRow(46, "recent", "file1"),
        stringRow(47, "recent", "file2"),
        stringRow(48, "recent", "file3"),
        stringRow(49, "recent", "file4"),
        stringRow(50, "recent", "file5"),
        stringRow(51, "recent", "file6"),
        stringRow(52, "recent", "file7"),
        stringRow(53, "recent", "file8"),
        windowRow(54, "width", 0),
        windowRow(55, "height", 0),
        stringRow(56, "midi", "audiodriver"),
        stringRow(57, "midi", "audiobuffer"),
    }};
}

const std::array<SettingKey, kSettingKeyCount>& keys() {
    static const std::array<SettingKey, kSettingKeyCount> table = makeKeys();
    return table;
}

}  // namespace

std::span<const SettingKey> settingKeys() { return keys(); }

const SettingKey& settingKeyAtRow(int row) {
    if (row < 1 || row > static_cast<int>(keys().size())) throw std::out_of_range("no settings row");
    return keys()[static_cast<std::size_t>(row - 1)];
}

const SettingKey* findOptionKey(std::string_view key) {
    for (const SettingKey& entry : keys()) {
        if (entry.option != nullptr && equalsIgnoringAsciiCase(entry.key, key)) return &entry;
    }
    return nullptr;
}

int limitSettingValue(const SettingKey& key, int value) {
    return limitValue(key.limit, key.low, key.high, value);
}

}  // namespace velmora
