#include "mapping/letter_tables.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace velmora {

namespace {

// One entry of the literal tables: a note number, 0 when the table does not list the character,
// or either(usual, alternative) when the table chooses between two notes by a random draw.
constexpr int either(int usual, int alternative) { return usual | alternative << 8; }

struct Row {
    char character;
    std::array<int, kPatternCount> entries;  // indexed by pattern
};

// clang-format off
// Column A of every letter table.
constexpr Row kModeARows[] = {
    // char  0    1    2    3    4    5    6    7    8    9              10              11
    {',', {  0,   0,  59,  58,   0,  57,  59,  59,  59,  59,              0,              0}},
    {'0', {103,  92, 101, 100, 100, 101, 100, 100,  99, 100,             98,             99}},
    {'1', { 86,  86,  87,  84,  84,  86,  84,  84,  84,  84, either(80, 81), either(83, 84)}},
    {'2', { 88,  89,  88,  86,  86,  87,   0,  86,  86,  85,             84,             85}},
    {'3', { 89,  91,  89,  88,  88,  89,  88,  88,  87,  88, either(86, 85),             87}},
    {'4', { 91,  92,  92,  90,   0,  91,  89,  89,  89,  90,             87,             88}},
    {'5', { 93,  94,  93,   0,  91,  93,  91,  91,  91,  92, either(89, 90),             90}},
    {'6', { 96,  96,  95,  92,  93,  84,   0,  93,  92,  93,             91,             92}},
    {'7', { 98,  98,  96,  94,   0,  96,  95,  95,  95,  95, either(92, 93),             93}},
    {'8', {100, 101,  99,  96,  96,  98,  96,  96,  96,  96,             94, either(95, 96)}},
    {'9', {101, 103, 100,  98,  98,   0,   0,  98,  98,  97,             96,             97}},
    {';', {  0,   0,  69,   0,   0,   0,  72,   0,   0,   0,              0,              0}},
    {'A', { 65,  65,  60,  60,  60,  60,  60,  60,  60,  57,             60,             61}},
    {'B', {  0,   0,   0,   0,   0,   0,   0,   0,   0,   0, either(62, 61),             63}},
    {'C', { 81,  82,  52,  52,  52,  50,  52,  52,  51,  49,             51,             52}},
    {'D', { 57,  58,  64,  64,  64,  62,  64,  64,  63,  61,             63,             64}},
    {'E', {  0,   0,  76,  76,  76,  74,  76,  76,  75,  73,             75,             76}},
    {'F', { 77,  79,  65,  66,   0,  65,  65,  65,  65,  64,             70,             68}},
    {'G', { 52,  53,   0,   0,   0,   0,   0,   0,   0,   0,              0,              0}},
    {'I', {  0,   0,  81,  80,  81,  84,   0,  81,  80,  80,             82,             80}},
    {'J', { 62,  62,  68,   0,  67,  67,  67,  67,  67,  66, either(65, 66),             66}},
    {'K', { 69,  70,  69,  68,  69,  72,   0,  69,  68,  68,             67, either(71, 72)}},
    {'L', { 64,  65,  71,  70,   0,  69,  71,  71,  72,  69,             72,             73}},
    {'M', { 60,  60,  57,  56,  57,   0,   0,  57,  56,  56, either(56, 57),             57}},
    {'N', { 66,  67,  56,   0,  55,  55,  55,  55,  55,  54,             55,             56}},
    {'O', {  0,   0,  83,  82,   0,  81,  83,  83,  83,  81,              0,              0}},
    {'P', { 79,  80,  84,  84,  84,  84,  84,  84,  84,  83,             79,             81}},
    {'Q', { 84,  84,  72,  72,  72,  72,  72,  72,  71,  71, either(68, 69),             69}},
    {'R', { 76,  77,  77,  78,   0,  77,  77,  77,  77,  76, either(77, 78),             78}},
    {'S', { 67,  68,  63,  62,  62,   0,   0,  62,  62,  60,             58, either(59, 60)}},
    {'T', { 72,  72,   0,   0,   0,   0,   0,   0,   0,   0,              0,              0}},
    {'U', {  0,   0,  80,   0,  79,  79,  79,  79,  79,  78,              0,              0}},
    {'V', { 50,  50,  53,  54,   0,  53,  53,  53,  53,  52, either(53, 54),             54}},
    {'W', { 74,  74,  75,  74,  74,   0,   0,  74,  74,  72, either(74, 73),             75}},
    {'X', { 53,  55,  51,  50,  50,   0,   0,  50,  50,  48, either(50, 49),             51}},
    {'Y', { 55,  56,   0,   0,   0,   0,   0,   0,   0,   0,              0,              0}},
    {'Z', { 48,  48,  48,  48,  48,  48,  48,  48,  48,  47,             48,             49}},
};

// Column E of every letter table. The whole-tone table (3) has a single column; its copy here must agree with
// column A (checked below) and is not used for lookup.
constexpr Row kModeERows[] = {
    // char  0    1    2    3    4    5    6    7    8    9              10              11
    {',', {  0,   0,  54,  58,  58,  55,  56,  55,  59,  57,              0,              0}},
    {'0', {103,  93,  98, 100, 101,  99, 103,  98, 101, 101,             98,             98}},
    {'1', { 84,  86,  83,  84,  87,  84,  87,  83,  86,  85, either(80, 81),             83}},
    {'2', { 87,  88,  84,  86,   0,  87,   0,  84,  87,  87,             84,             84}},
    {'3', { 89,  90,  86,  88,  89,  86,  91,  86,  89,  89, either(86, 85),             86}},
    {'4', { 91,  93,  87,  90,  91,  89,  92,  88,  90,  90,             87,             88}},
    {'5', { 92,  95,  90,   0,  94,  91,  94,  89,  92,  92, either(89, 90),             89}},
    {'6', { 94,  96,  91,  92,   0,  94,   0,  91,  94,  93,             91, either(91, 92)}},
    {'7', { 96,  98,  92,  94,  96,  94,  98,  93,  95,  94, either(92, 93),             93}},
    {'8', { 99, 100,  95,  96,  99,  96,  99,  95,  98,  97,             95,             95}},
    {'9', {101, 102,  96,  98,   0,   0,   0,  96,  99,  99,             96,             96}},
    {';', {  0,   0,  66,   0,   0,   0,  70,   0,   0,   0,              0,              0}},
    {'A', { 60,   0,  55,  60,  60,  58,  58,  57,  58,  58,             60,             60}},
    {'B', {  0,   0,   0,   0,   0,   0,   0,   0,   0,   0, either(62, 61),             62}},
    {'C', { 82,  84,  48,  52,  51,  48,  50,  48,  51,  51,             51,             52}},
    {'D', { 56,  59,  59,  64,  63,  60,  62,  60,  63,  63,             63,             64}},
    {'E', {  0,   0,  72,  76,  75,  72,  75,  72,  75,  75,             75,             76}},
    {'F', { 77,  78,  60,  66,  65,  63,  63,  62,  65,  65,             67, either(67, 68)}},
    {'G', { 51,  52,   0,   0,   0,   0,   0,   0,   0,   0,              0,              0}},
    {'I', {  0,   0,  78,  80,  87,  79,  68,  77,  80,  80,             79, either(79, 80)}},
    {'J', { 60,  62,  62,   0,  67,  65,  67,  64,  66,  66, either(65, 66),             65}},
    {'K', { 68,  71,  63,  68,  75,  67,  63,  65,  68,  68,             71,             71}},
    {'L', { 63,  64,  67,  70,  70,  70,  68,  67,  70,  70,             72,             72}},
    {'M', { 55,  57,  51,  56,   0,   0,   0,  53,  56,  56, either(56, 57),             57}},
    {'N', { 65,  66,  50,   0,  55,  53,  55,  52,  54,  54,             55, either(55, 56)}},
    {'O', {  0,   0,  79,  82,  82,  82,  82,  79,  82,  81,              0,              0}},
    {'P', { 79,  81,  80,  84,  84,  77,  86,  81,  83,  82,             83,             81}},
    {'Q', { 80,  83,  68,  72,  72,  65,  74,  69,  71,  71, either(68, 69),             69}},
    {'R', { 75,  76,  74,  78,  77,  75,  79,  74,  77,  77, either(77, 78),             77}},
    {'S', { 67,  69,  56,  62,   0,   0,   0,  59,  62,  61,             59,             59}},
    {'T', { 70,  72,   0,   0,   0,   0,   0,   0,   0,   0,              0,              0}},
    {'U', {  0,   0,  75,   0,  79,  77,  80,  76,  78,  78,              0,              0}},
    {'V', { 46,  48,  47,  54,  53,  51,  51,  50,  53,  53, either(53, 54),             53}},
    {'W', { 72,  74,  71,  74,   0,   0,  75,  71,  74,  74, either(74, 73),             74}},
    {'X', { 58,  60,  44,  50,   0,   0,   0,  47,  50,  49, either(50, 49),             50}},
    {'Y', { 53,  54,   0,   0,   0,   0,   0,   0,   0,   0,              0,              0}},
    {'Z', { 48,  50,  43,  48,  48,  46,  46,  45,  47,  46,             48,             48}},
};

// The alternative of an either() entry sounds when the draw is below `limit`.
struct AlternativeOdds {
    ScalePattern pattern;
    TonicMode mode;
    int limit;
    std::string_view characters;
};

constexpr AlternativeOdds kAlternativeOdds[] = {
    {ScalePattern::MoreNatural, TonicMode::A, 1, "137BMQWX"},
    {ScalePattern::MoreNatural, TonicMode::A, 2, "5JRV"},
    {ScalePattern::MoreNatural, TonicMode::E, 1, "1357BJMQRVWX"},
    {ScalePattern::Spanish,     TonicMode::A, 2, "18KS"},
    {ScalePattern::Spanish,     TonicMode::E, 4, "6FIN"},
};
// clang-format on

struct Cell {
    std::uint8_t usual = 0;
    std::uint8_t alternative = 0;
    std::uint8_t limit = 0;  // 0: the usual note always sounds
};

using LetterTable = std::array<Cell, 256>;
using ModeTables = std::array<LetterTable, kPatternCount>;

constexpr std::size_t kModeCount = 2;

// Any mode byte other than 'E' reads the A column.
constexpr std::size_t columnOf(TonicMode mode) { return mode == TonicMode::E ? 1 : 0; }

// The pattern's table among the twelve.
constexpr std::size_t tableIndex(ScalePattern pattern) { return static_cast<std::size_t>(indexOf(pattern)); }

constexpr std::uint8_t byteOf(char character) { return static_cast<std::uint8_t>(character); }

template <std::size_t N>
constexpr void fillColumn(ModeTables& tables, const Row (&rows)[N]) {
    for (const Row& row : rows) {
        for (std::size_t pattern = 0; pattern < kPatternCount; ++pattern) {
            const int entry = row.entries[pattern];
            Cell& cell = tables[pattern][byteOf(row.character)];
            cell.usual = static_cast<std::uint8_t>(entry & 0xFF);
            cell.alternative = static_cast<std::uint8_t>(entry >> 8);
        }
    }
}

constexpr std::array<ModeTables, kModeCount> buildTables() {
    std::array<ModeTables, kModeCount> tables{};
    fillColumn(tables[columnOf(TonicMode::A)], kModeARows);
    fillColumn(tables[columnOf(TonicMode::E)], kModeERows);
    for (const AlternativeOdds& odds : kAlternativeOdds) {
        for (char character : odds.characters) {
            tables[columnOf(odds.mode)][tableIndex(odds.pattern)][byteOf(character)].limit =
                static_cast<std::uint8_t>(odds.limit);
        }
    }
    return tables;
}

constexpr std::array<ModeTables, kModeCount> kTables = buildTables();

// The bound of the one draw a table makes per call; 0 for the tables that never draw.
constexpr int drawBound(ScalePattern pattern) {
    switch (pattern) {
        case ScalePattern::MoreNatural:
            return 10;
        case ScalePattern::Spanish:
            return 7;
        default:
            return 0;
    }
}

// Guards against a slip in the literals: every two-valued entry has its odds and only those,
// only the tables that draw have them, and both copies of the whole-tone table agree.
constexpr bool tablesAreConsistent() {
    for (std::size_t column = 0; column < kModeCount; ++column) {
        for (std::size_t pattern = 0; pattern < kPatternCount; ++pattern) {
            for (const Cell& cell : kTables[column][pattern]) {
                if ((cell.alternative != 0) != (cell.limit != 0)) return false;
                if (cell.alternative != 0 && drawBound(static_cast<ScalePattern>(pattern)) == 0) return false;
            }
        }
    }
    constexpr std::size_t wholeTone = tableIndex(ScalePattern::WholeTone);
    for (std::size_t byte = 0; byte < 256; ++byte) {
        const Cell& a = kTables[0][wholeTone][byte];
        const Cell& e = kTables[1][wholeTone][byte];
        if (a.usual != e.usual || a.alternative != e.alternative) return false;
    }
    return true;
}

static_assert(tablesAreConsistent(), "letter table literals disagree with their odds or with each other");

const Cell& lookup(ScalePattern pattern, std::uint8_t character, TonicMode mode) {
    // The whole-tone table sounds the same in both modes.
    const TonicMode column = pattern == ScalePattern::WholeTone ? TonicMode::A : mode;
    return kTables[columnOf(column)][tableIndex(pattern)][character];
}

}  // namespace

std::uint8_t letterPitch(int pattern, std::uint8_t character, TonicMode mode, RandomSource& rng) {
    const std::optional<ScalePattern> chosen = scalePatternAt(pattern);
    if (!chosen) return 0;
    // The draw comes first and happens for every byte, listed or not, so the generator
    // advances once per call whatever the text is.
    const int bound = drawBound(*chosen);
    const int draw = bound > 0 ? rng.below(bound) : 0;
    const Cell& cell = lookup(*chosen, character, mode);
    return draw < cell.limit ? cell.alternative : cell.usual;
}

}  // namespace velmora
