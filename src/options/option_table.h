#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace velmora {

struct PerformanceOptions;

// The options of a performance, in the order a settings load sets them. The
// window sets its controls in this order, so that the key display ends up
// reflecting the final pattern, tonic and key shift.
enum class OptionId {
    RepeatAtEnd,
    BackingInstrument,
    SoloInstrument,
    MelodyVelocity,
    ChordVelocity,
    TickMs,
    BackingReverb,
    MelodyReverb,
    ScalePattern,
    BackingHighNote,
    BackingLowNote,
    SoloHighNote,
    SoloLowNote,
    KeyShift,
    RhythmItem,
    ChordsAtWordStarts,
    TonicOnE,
    ThickChords,
    BackingHighEnabled,
    BackingLowEnabled,
    SoloHighEnabled,
    SoloLowEnabled,
    RhythmFromFirstCharacter,
    TwoChannels,
    UnassignedLettersStartWords,
    SkipRestsOnBeats,
    OctaveDown,
    RhythmCorrection,
};
inline constexpr std::size_t kOptionCount = 28;

// How a value outside low..high is taken, the way the receiving control takes it.
enum class ValueLimit {
    None,
    ListIndex,  // a combo-box index: outside low..high leaves no selection (-1)
    Clamp,      // a spin edit or the pattern group: clamped into low..high
};

// A value as a control with `limit` over low..high takes it.
int limitValue(ValueLimit limit, int low, int high, int value);

// One option: where the settings files keep it, what it holds and how a
// performance treats its control. Switches hold 0 or 1.
struct OptionDefinition {
    OptionId id{};
    std::string_view name;  // its field in PerformanceOptions
    std::string_view section;
    std::string_view key;
    bool isSwitch = false;
    int low = 0;
    int high = 0;
    ValueLimit limit = ValueLimit::None;
    int initial = 0;          // the control's state when the window opens
    int readDefault = 0;      // what a settings file without the key, or with a bad value, gives
    bool globalOnly = false;  // kept in the global settings file only
    bool lockedWhilePerforming = false;
    std::optional<OptionId> usedOnlyWith = std::nullopt;  // the switch without which the option is not used
    int (*get)(const PerformanceOptions&) = nullptr;
    void (*set)(PerformanceOptions&, int) = nullptr;
};

// Every option, in OptionId order.
std::span<const OptionDefinition> optionTable();
const OptionDefinition& optionDefinition(OptionId id);

// The option's value; a switch gives 0 or 1.
int optionValue(const PerformanceOptions& options, OptionId id);
void setOptionValue(PerformanceOptions& options, OptionId id, int value);
// A value as the option's control takes it.
int limitOptionValue(const OptionDefinition& definition, int value);

// Whether the option's control takes input: not while a running performance
// locks it, and not while the switch it is used with is off.
bool optionEnabled(OptionId id, const PerformanceOptions& options, bool performanceRuns);

}  // namespace velmora
