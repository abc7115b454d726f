#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "options/option_table.h"

namespace velmora {

enum class SettingType { Integer, Boolean, String };

// One key of the settings files. Rows 1-16 belong to the window, the preset
// dialog and the document, rows 44-45 and 56-57 to the sound output, rows
// 46-53 to the recent documents and rows 54-55 to the window's size; they are
// kept in the global settings file only. Rows 15 and 17-43 store the
// performance options and take their section, key, default and limit from
// the option table; rows 17-43 are kept in both kinds of file.
struct SettingKey {
    int row;  // 1-based, the order in which keys are written
    std::string_view section;
    std::string_view key;
    SettingType type;
    int readDefault;  // for booleans 0 or 1; unused for the string rows
    bool globalOnly;
    ValueLimit limit;
    int low;
    int high;
    const OptionDefinition* option;  // the option the row stores; null for the other rows
};

inline constexpr std::size_t kSettingKeyCount = 57;

// All keys in writing order.
std::span<const SettingKey> settingKeys();
// The key of the given 1-based row.
const SettingKey& settingKeyAtRow(int row);
// The row that stores a performance option (rows 15 and 17-43) under `key`,
// matched without regard to case; null when there is none.
const SettingKey* findOptionKey(std::string_view key);

// A read value as the row's control takes it (its limit applied).
int limitSettingValue(const SettingKey& key, int value);

}  // namespace velmora
