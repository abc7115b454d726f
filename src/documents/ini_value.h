#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// `text` without the blanks and tabs around it.
std::string_view trimIniBlanks(std::string_view text);

// An integer value of a settings file: an optional minus sign and decimal
// digits, or "0x"/"0X" followed by hexadecimal digits (a 32-bit pattern, so
// 0xFFFFFFFF is -1). Blanks around the value are ignored. Anything else ("",
// "0x", "yes", "12x", "+3", a value that does not fit in 32 bits) gives nullopt.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

// An integer read the settings way: the value, or `fallback` when the value is
// missing or not a valid integer.
std::int32_t readIniInteger(const std::optional<std::string_view>& text, std::int32_t fallback);
// A boolean is an integer whose nonzero values are on.
bool readIniBoolean(const std::optional<std::string_view>& text, bool fallback);

}  // namespace velmora
