#include "mapping/note_names.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "mapping/letter_tables.h"
#include "mapping/translatable_text.h"

namespace velmora {

namespace {

constexpr std::array<std::string_view, kPatternCount> kPatternNames = {
    QT_TRANSLATE_NOOP("EngineTexts", "ファニー"),
    QT_TRANSLATE_NOOP("EngineTexts", "ファンタジック"),
    QT_TRANSLATE_NOOP("EngineTexts", "ジプシー音階"),
    QT_TRANSLATE_NOOP("EngineTexts", "全音階"),
    QT_TRANSLATE_NOOP("EngineTexts", "呂旋法"),
    QT_TRANSLATE_NOOP("EngineTexts", "律旋法"),
    QT_TRANSLATE_NOOP("EngineTexts", "琉球旋法"),
    QT_TRANSLATE_NOOP("EngineTexts", "メジャー風"),
    QT_TRANSLATE_NOOP("EngineTexts", "マイナー風"),
    QT_TRANSLATE_NOOP("EngineTexts", "ブルース風"),
    QT_TRANSLATE_NOOP("EngineTexts", "より自然なサウンド（かも知れない）"),
    QT_TRANSLATE_NOOP("EngineTexts", "スパニッシュスケール"),
};

struct Bases {
    std::uint8_t keyA;
    std::uint8_t keyE;
    std::uint8_t nameA;
    std::uint8_t nameE;
};

// The key base's pitch class names the pattern's key; note names count from the name base,
// which differs from the key base only for the Spanish scale in mode E.
constexpr std::array<Bases, kPatternCount> kBases = {{
    {60, 63, 60, 63},
    {56, 60, 56, 60},
    {60, 63, 60, 63},
    {60, 60, 60, 60},
    {60, 63, 60, 63},
    {60, 63, 60, 63},
    {60, 63, 60, 63},
    {60, 60, 60, 60},
    {63, 66, 63, 66},
    {57, 54, 57, 54},
    {63, 63, 63, 63},
    {64, 60, 64, 64},
}};

constexpr std::uint8_t kBaseWithoutPattern = 60;

// Counted from G♭ (note 42), the lowest key the label shows.
constexpr std::array<std::string_view, 12> kKeyNames = {
    "G♭", "G", "A♭", "A", "B♭", "B", "C", "D♭", "D", "E♭", "E", "F",
};
constexpr int kLowestNamedKey = 42;
constexpr int kHighestNamedKey = 77;

constexpr std::array<std::string_view, 12> kNoteNames = {
    "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "B♭", "B",
};

constexpr std::string_view kBlankName = " ";

bool isPattern(int pattern) { return pattern >= 0 && pattern < kPatternCount; }

// The index of a pattern that isPattern admits.
std::size_t slotOf(int pattern) { return static_cast<std::size_t>(pattern); }

}  // namespace

std::string patternName(int pattern) {
    if (!isPattern(pattern)) return {};
    return std::string(kPatternNames[slotOf(pattern)]);
}

std::uint8_t keyBase(int pattern, TonicMode mode) {
    if (!isPattern(pattern)) return kBaseWithoutPattern;
    return mode == TonicMode::E ? kBases[slotOf(pattern)].keyE : kBases[slotOf(pattern)].keyA;
}

std::uint8_t nameBase(int pattern, TonicMode mode) {
    if (!isPattern(pattern)) return kBaseWithoutPattern;
    return mode == TonicMode::E ? kBases[slotOf(pattern)].nameE : kBases[slotOf(pattern)].nameA;
}

std::uint8_t keyNote(int pattern, TonicMode mode, int keyShift) {
    return static_cast<std::uint8_t>((keyBase(pattern, mode) + keyShift) & 0xFF);
}

std::string keyName(std::uint8_t keyNote) {
    if (keyNote < kLowestNamedKey || keyNote > kHighestNamedKey) return {};
    return std::string(kKeyNames[static_cast<std::size_t>((keyNote - kLowestNamedKey) % 12)]);
}

std::string noteName(std::uint8_t character, int pattern, TonicMode mode, RandomSource& rng) {
    const std::uint8_t pitch = letterPitch(pattern, character, mode, rng);
    if (pitch == 0) return std::string(kBlankName);
    // Without the key shift: the sounding note and the key both carry it, so it cancels.
    return pitchName(pitch, nameBase(pattern, mode));
}

std::string pitchName(int pitch, int nameBase) {
    int degree = (pitch - nameBase) % 12;
    if (degree < 0) degree += 12;
    return std::string(kNoteNames[static_cast<std::size_t>(degree)]);
}

}  // namespace velmora
