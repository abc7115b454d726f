#include "options/option_table.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "options/performance_options.h"

namespace velmora {

namespace {

using P = PerformanceOptions;
constexpr auto Clamp = ValueLimit::Clamp;
constexpr auto List = ValueLimit::ListIndex;
constexpr int kLastProgram = 111;  // the instrument lists hold programs 0..111
constexpr int kLastRhythm = 7;     // the rhythm list holds 8 items, the last one empty

struct Access {
    int (*get)(const P&);
    void (*set)(P&, int);
};

// The member at the end of a path of members: a field, a field of a field...
template <auto First, auto... Rest, typename Object>
constexpr auto& member(Object& object) {
    if constexpr (sizeof...(Rest) == 0)
        return object.*First;
    else
        return member<Rest...>(object.*First);
}

// Reads and writes the field at the end of `Path` as an int.
template <auto... Path>
constexpr Access field() {
    return {[](const P& options) { return static_cast<int>(member<Path...>(options)); },
            [](P& options, int value) {
                auto& target = member<Path...>(options);
                target = static_cast<std::remove_reference_t<decltype(target)>>(value);
            }};
}

// The rhythm takes its grid with it, as the rhythm handler does.
constexpr Access rhythmField() {
    return {[](const P& options) { return options.rhythmItem; },
            [](P& options, int item) { selectRhythm(options, item); }};
}

constexpr OptionDefinition number(OptionId id, std::string_view name, std::string_view key, int low, int high,
                                  int initial, int readDefault, Access access, ValueLimit limit = Clamp) {
    return {.id = id,
            .name = name,
            .section = "config",
            .key = key,
            .low = low,
            .high = high,
            .limit = limit,
            .initial = initial,
            .readDefault = readDefault,
            .get = access.get,
            .set = access.set};
}
constexpr OptionDefinition onOff(OptionId id, std::string_view name, std::string_view key, bool initial,
                                 bool readDefault, Access access) {
    return {.id = id,
            .name = name,
            .section = "config",
            .key = key,
            .isSwitch = true,
            .high = 1,
            .initial = initial ? 1 : 0,
            .readDefault = readDefault ? 1 : 0,
            .get = access.get,
            .set = access.set};
}
constexpr OptionDefinition locked(OptionDefinition definition) {
    definition.lockedWhilePerforming = true;
    return definition;
}
constexpr OptionDefinition withTwoChannels(OptionDefinition definition) {
    definition.usedOnlyWith = OptionId::TwoChannels;
    return definition;
}
constexpr OptionDefinition globalOnly(OptionDefinition definition) {
    definition.globalOnly = true;
    return definition;
}

using R = NoteRange;
using L = NoteLimit;

// The initial values are the window's initial states. The read defaults, what
// a settings file without the key gives, differ for several: the tempo 300
// against 200, the limits' 0 that their spins raise to 60 and 36, chords an
// octave down on against off, the solo instrument 0 against 74.
constexpr std::array<OptionDefinition, kOptionCount> kOptions{{
    globalOnly(onOff(OptionId::RepeatAtEnd, "repeatAtEnd", "repeat", false, false, field<&P::repeatAtEnd>())),
    locked(number(OptionId::BackingInstrument, "backingInstrument", "inst", 0, kLastProgram, 0, 0,
                  field<&P::backingInstrument>(), List)),
    locked(withTwoChannels(number(OptionId::SoloInstrument, "soloInstrument", "solo", 0, kLastProgram, 74, 0,
                                  field<&P::soloInstrument>(), List))),
    number(OptionId::MelodyVelocity, "melodyVelocity", "vol", 30, 127, 127, 127, field<&P::melodyVelocity>()),
    number(OptionId::ChordVelocity, "chordVelocity", "volback", 30, 127, 110, 110,
           field<&P::chordVelocity>()),
    number(OptionId::TickMs, "tickMs", "tempo", 80, 1000, 200, 300, field<&P::tickMs>()),
    number(OptionId::BackingReverb, "backingReverb", "reverb", 0, 127, 0, 0, field<&P::backingReverb>()),
    number(OptionId::MelodyReverb, "melodyReverb", "reverbsolo", 0, 127, 0, 0, field<&P::melodyReverb>()),
    locked(number(OptionId::ScalePattern, "scalePattern", "patern", -1, 11, 0, 0, field<&P::scalePattern>())),
    number(OptionId::BackingHighNote, "backingRange.high.note", "hinum", 60, 100, 85, 0,
           field<&P::backingRange, &R::high, &L::note>()),
    number(OptionId::BackingLowNote, "backingRange.low.note", "lownum", 36, 72, 54, 0,
           field<&P::backingRange, &R::low, &L::note>()),
    withTwoChannels(number(OptionId::SoloHighNote, "soloRange.high.note", "hinums", 60, 100, 85, 0,
                           field<&P::soloRange, &R::high, &L::note>())),
    withTwoChannels(number(OptionId::SoloLowNote, "soloRange.low.note", "lownums", 36, 72, 54, 0,
                           field<&P::soloRange, &R::low, &L::note>())),
    number(OptionId::KeyShift, "keyShift", "keychg", -8, 8, 0, 0, field<&P::keyShift>()),
    number(OptionId::RhythmItem, "rhythmItem", "ryzm", 0, kLastRhythm, 3, 3, rhythmField(), List),
    onOff(OptionId::ChordsAtWordStarts, "chordsAtWordStarts", "waon", true, true,
          field<&P::chordsAtWordStarts>()),
    locked(onOff(OptionId::TonicOnE, "tonicOnE", "tonic", true, true, field<&P::tonicOnE>())),
    onOff(OptionId::ThickChords, "thickChords", "oct", true, true, field<&P::thickChords>()),
    onOff(OptionId::BackingHighEnabled, "backingRange.high.enabled", "hicut", false, false,
          field<&P::backingRange, &R::high, &L::enabled>()),
    onOff(OptionId::BackingLowEnabled, "backingRange.low.enabled", "lowcut", false, false,
          field<&P::backingRange, &R::low, &L::enabled>()),
    withTwoChannels(onOff(OptionId::SoloHighEnabled, "soloRange.high.enabled", "hicut2", false, false,
                          field<&P::soloRange, &R::high, &L::enabled>())),
    withTwoChannels(onOff(OptionId::SoloLowEnabled, "soloRange.low.enabled", "lowcut2", false, false,
                          field<&P::soloRange, &R::low, &L::enabled>())),
    locked(onOff(OptionId::RhythmFromFirstCharacter, "rhythmFromFirstCharacter", "topryzm", false, false,
                 field<&P::rhythmFromFirstCharacter>())),
    locked(onOff(OptionId::TwoChannels, "twoChannels", "2ch", false, false, field<&P::twoChannels>())),
    onOff(OptionId::UnassignedLettersStartWords, "unassignedLettersStartWords", "more", false, false,
          field<&P::unassignedLettersStartWords>()),
    onOff(OptionId::SkipRestsOnBeats, "skipRestsOnBeats", "jump", true, true, field<&P::skipRestsOnBeats>()),
    onOff(OptionId::OctaveDown, "octaveDown", "octdown", false, true, field<&P::octaveDown>()),
    number(OptionId::RhythmCorrection, "rhythmCorrection", "hosei", 0, 3, 0, 0,
           field<&P::rhythmCorrection>()),
}};

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        if (kOptions[i].id != static_cast<OptionId>(i)) return false;
    }
    return true;
}
static_assert(inIdOrder(), "the option table lists the options in OptionId order");

}  // namespace

PerformanceOptions::PerformanceOptions() {
    for (const OptionDefinition& definition : kOptions) definition.set(*this, definition.initial);
}

int limitValue(ValueLimit limit, int low, int high, int value) {
    switch (limit) {
        case ValueLimit::ListIndex:
            return (value < low || value > high) ? -1 : value;
        case ValueLimit::Clamp:
            return std::clamp(value, low, high);
        case ValueLimit::None:
            break;
    }
    return value;
}

std::span<const OptionDefinition> optionTable() { return kOptions; }

const OptionDefinition& optionDefinition(OptionId id) { return kOptions[static_cast<std::size_t>(id)]; }

int optionValue(const PerformanceOptions& options, OptionId id) { return optionDefinition(id).get(options); }

void setOptionValue(PerformanceOptions& options, OptionId id, int value) {
    optionDefinition(id).set(options, value);
}

int limitOptionValue(const OptionDefinition& definition, int value) {
    return limitValue(definition.limit, definition.low, definition.high, value);
}

bool optionEnabled(OptionId id, const PerformanceOptions& options, bool performanceRuns) {
    const OptionDefinition& definition = optionDefinition(id);
    if (performanceRuns && definition.lockedWhilePerforming) return false;
    return !definition.usedOnlyWith || optionValue(options, *definition.usedOnlyWith) != 0;
}

}  // namespace velmora
