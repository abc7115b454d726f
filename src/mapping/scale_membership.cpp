#include "mapping/scale_membership.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>

#include "mapping/scale_pattern.h"

namespace velmora {

namespace {

constexpr std::size_t kModeRows = 2;
constexpr std::size_t kNoteCount = 256;

// Any mode byte other than 'E' reads the A row.
constexpr std::size_t rowOf(TonicMode mode) { return mode == TonicMode::E ? 1 : 0; }

using PitchClasses = std::uint16_t;  // bit c set: pitch class c (0 = C) belongs to the scale

constexpr PitchClasses classes(std::initializer_list<int> listed) {
    PitchClasses mask = 0;
    for (int pitchClass : listed) mask |= static_cast<PitchClasses>(1u << pitchClass);
    return mask;
}

constexpr PitchClasses allClassesBut(std::initializer_list<int> missing) {
    return static_cast<PitchClasses>(0xFFF & ~classes(missing));
}

struct NoteList {
    std::array<std::uint8_t, 20> notes{};
    std::size_t count = 0;
};

constexpr NoteList notes(std::initializer_list<int> listed) {
    NoteList list;
    for (int note : listed) list.notes[list.count++] = static_cast<std::uint8_t>(note);
    return list;
}

enum class Rows { A, E, Both };

// A ranged scale: v is admitted when low <= v <= high and its pitch class is listed, except the
// refused notes; the extra notes are admitted although their pitch class is not listed.
struct RangedScale {
    ScalePattern test;
    Rows rows;
    int low;
    int high;
    PitchClasses pitchClasses;
    NoteList refused;
    NoteList extra;
};

using enum ScalePattern;

// clang-format off
constexpr RangedScale kRangedScales[] = {
    {Gypsy,       Rows::A,    32, 101, classes({0, 3, 4, 5, 8, 9, 11}),      {},                     {}},
    {Gypsy,       Rows::E,    30, 102, classes({0, 2, 3, 6, 7, 8, 11}),      {},                     {}},
    {Ryo,         Rows::A,    30, 103, classes({0, 2, 4, 6, 7, 9, 11}),      {},                     {}},
    {Ryo,         Rows::E,    31, 103, classes({0, 2, 3, 5, 7, 9, 10}),      notes({33, 45}),        {}},
    {Ritsu,       Rows::A,    31, 103, classes({0, 2, 3, 5, 7, 9, 10}),      {},                     {}},
    {Ritsu,       Rows::E,    31, 103, classes({0, 1, 3, 5, 7, 8, 10}),      {},                     {}},
    {Ryukyu,      Rows::A,    31, 103, classes({0, 2, 4, 5, 7, 11}),         {},                     notes({94})},
    {Ryukyu,      Rows::E,    31, 103, classes({2, 3, 5, 7, 8, 10}),         {},                     {}},
    {MajorLike,   Rows::Both, 31, 103, allClassesBut({6}),                   notes({32, 37}),        {}},
    {MinorLike,   Rows::A,    30, 103, allClassesBut({1, 9}),                notes({34, 46, 102}),   {}},
    {MinorLike,   Rows::E,    30, 102, allClassesBut({0, 4}),                notes({37}),            {}},
    {BluesLike,   Rows::A,    30, 102, classes({0, 1, 2, 4, 6, 8, 9, 11}),   {},                     {}},
    {BluesLike,   Rows::E,    30, 102, classes({1, 3, 5, 6, 8, 9, 10, 11}),  notes({41, 69, 73}),    notes({74})},
    {MoreNatural, Rows::A,    30, 101, allClassesBut({9}),                   notes({100}),           {}},
    {MoreNatural, Rows::E,    31, 101, allClassesBut({4, 9}),                notes({42}),            {}},
    {Spanish,     Rows::A,    30, 102, classes({0, 1, 3, 4, 6, 8, 9, 11}),   {},                     {}},
    {Spanish,     Rows::E,    31, 101, classes({0, 2, 4, 5, 7, 8, 9, 11}),   {},                     {}},
};

// The funny scale's test has no range: it admits every note but these.
constexpr NoteList kFunnyRefusedA =
    notes({35, 37, 39, 47, 49, 51, 59, 61, 63, 71, 73, 75, 83, 85, 87, 95, 97, 99});
constexpr NoteList kFunnyRefusedE =
    notes({30, 38, 40, 42, 50, 52, 54, 62, 64, 66, 74, 76, 78, 86, 88, 90, 98, 100, 102});
// clang-format on

using Admitted = std::array<bool, kNoteCount>;
using TestRows = std::array<std::array<Admitted, kModeRows>, kPatternCount>;

constexpr Admitted rangedRow(const RangedScale& scale) {
    Admitted admitted{};
    for (int v = scale.low; v <= scale.high; ++v) {
        admitted[static_cast<std::size_t>(v)] = (scale.pitchClasses >> (v % 12)) & 1;
    }
    for (std::size_t i = 0; i < scale.refused.count; ++i) admitted[scale.refused.notes[i]] = false;
    for (std::size_t i = 0; i < scale.extra.count; ++i) admitted[scale.extra.notes[i]] = true;
    return admitted;
}

constexpr Admitted allBut(const NoteList& refused) {
    Admitted admitted{};
    admitted.fill(true);
    for (std::size_t i = 0; i < refused.count; ++i) admitted[refused.notes[i]] = false;
    return admitted;
}

// Every test as one admitted-set per mode; the whole-tone scale has no test and stays empty.
constexpr TestRows buildTests() {
    TestRows tests{};
    const auto rows = [&tests](ScalePattern test) -> std::array<Admitted, kModeRows>& {
        return tests[static_cast<std::size_t>(indexOf(test))];
    };
    rows(Funny)[rowOf(TonicMode::A)] = allBut(kFunnyRefusedA);
    rows(Funny)[rowOf(TonicMode::E)] = allBut(kFunnyRefusedE);
    rows(Fantastic)[rowOf(TonicMode::A)] = allBut({});
    rows(Fantastic)[rowOf(TonicMode::E)] = allBut({});
    for (const RangedScale& scale : kRangedScales) {
        const Admitted admitted = rangedRow(scale);
        if (scale.rows != Rows::E) rows(scale.test)[rowOf(TonicMode::A)] = admitted;
        if (scale.rows != Rows::A) rows(scale.test)[rowOf(TonicMode::E)] = admitted;
    }
    return tests;
}

constexpr TestRows kTests = buildTests();

// Guards against a slip in the literal: each refused note would otherwise be admitted and each
// extra note would otherwise be refused, all inside the range.
constexpr bool scalesAreConsistent() {
    for (const RangedScale& scale : kRangedScales) {
        for (std::size_t i = 0; i < scale.refused.count; ++i) {
            const int v = scale.refused.notes[i];
            if (v < scale.low || v > scale.high || !((scale.pitchClasses >> (v % 12)) & 1)) return false;
        }
        for (std::size_t i = 0; i < scale.extra.count; ++i) {
            const int v = scale.extra.notes[i];
            if (v < scale.low || v > scale.high || ((scale.pitchClasses >> (v % 12)) & 1)) return false;
        }
    }
    return true;
}

static_assert(scalesAreConsistent(), "a refused or extra note of a scale has no effect");

}  // namespace

bool inScale(int test, std::uint8_t note, TonicMode mode, int keyShift) {
    const std::optional<ScalePattern> scale = scalePatternAt(test);
    if (!scale) return false;
    // The ranged sets hold untransposed notes, so they take the shift off again; the funny
    // scale's list is compared with the sounding note.
    const std::uint8_t v = scale == Funny ? note : static_cast<std::uint8_t>((note - keyShift) & 0xFF);
    return kTests[static_cast<std::size_t>(indexOf(*scale))][rowOf(mode)][v];
}

}  // namespace velmora
