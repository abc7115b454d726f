#include "mapping/letter_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "letter_lookup.h"

namespace velmora {
namespace {

bool isListedByte(int byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') || byte == ',' || byte == ';';
}

// True when `pattern` maps `character` to a note in `mode` for some draw.
bool mapsCharacter(int pattern, char character, TonicMode mode) {
    const int draws = drawRange(pattern) > 0 ? drawRange(pattern) : 1;
    for (int draw = 0; draw < draws; ++draw) {
        if (pitchOf(pattern, character, mode, draw) != 0) return true;
    }
    return false;
}

TEST(LetterTables, ExamplesOfBothColumns) {
    EXPECT_EQ(pitchOf(0, 'A', TonicMode::A), 65);
    EXPECT_EQ(pitchOf(0, 'A', TonicMode::E), 60);
    EXPECT_EQ(pitchOf(1, 'A', TonicMode::A), 65);
    EXPECT_EQ(pitchOf(1, 'A', TonicMode::E), 0);
    EXPECT_EQ(pitchOf(7, 'A', TonicMode::A), 60);
    EXPECT_EQ(pitchOf(7, 'A', TonicMode::E), 57);
    EXPECT_EQ(pitchOf(2, ',', TonicMode::A), 59);
    EXPECT_EQ(pitchOf(2, ',', TonicMode::E), 54);
    EXPECT_EQ(pitchOf(9, 'Z', TonicMode::A), 47);
    EXPECT_EQ(pitchOf(2, 'Z', TonicMode::E), 43);
}

TEST(LetterTables, DigitColumnsAreUsedAsTheyStandEvenWhenNotRising) {
    EXPECT_EQ(pitchOf(5, '5', TonicMode::A), 93);
    EXPECT_EQ(pitchOf(5, '6', TonicMode::A), 84);
    EXPECT_EQ(pitchOf(5, '6', TonicMode::E), 94);
    EXPECT_EQ(pitchOf(5, '7', TonicMode::E), 94);
}

TEST(LetterTables, PatternThreeSoundsTheSameInBothModes) {
    for (int byte = 0; byte < 256; ++byte) {
        const auto character = static_cast<std::uint8_t>(byte);
        EXPECT_EQ(pitchWithDraw(3, character, TonicMode::A), pitchWithDraw(3, character, TonicMode::E))
            << "byte " << byte;
    }
    EXPECT_EQ(pitchOf(3, 'E', TonicMode::E), 76);
}

TEST(LetterTables, OnlyUpperCaseLettersDigitsCommaAndSemicolonAreListed) {
    for (int pattern = 0; pattern < kPatternCount; ++pattern) {
        for (TonicMode mode : kBothModes) {
            for (int byte = 0; byte < 256; ++byte) {
                if (isListedByte(byte)) continue;
                EXPECT_FALSE(mapsCharacter(pattern, static_cast<char>(byte), mode))
                    << "pattern " << pattern << " byte " << byte;
            }
        }
    }
}

TEST(LetterTables, SpaceFullStopHAndLowerCaseAreRestsEverywhere) {
    for (int pattern = 0; pattern < kPatternCount; ++pattern) {
        for (TonicMode mode : kBothModes) {
            for (char character : std::string_view(" .H\t\r\nahz")) {
                EXPECT_FALSE(mapsCharacter(pattern, character, mode)) << pattern << " '" << character << "'";
            }
        }
    }
}

TEST(LetterTables, RareCharactersBelongToFewTables) {
    struct Rare {
        char character;
        std::vector<int> patterns;  // the tables that map it, in both modes
    };
    const Rare rares[] = {{';', {2, 6}}, {'B', {10, 11}}, {'G', {0, 1}},
                          {'T', {0, 1}}, {'Y', {0, 1}},   {'H', {}}};
    for (const Rare& rare : rares) {
        for (int pattern = 0; pattern < kPatternCount; ++pattern) {
            const bool expected = std::ranges::find(rare.patterns, pattern) != rare.patterns.end();
            for (TonicMode mode : kBothModes) {
                EXPECT_EQ(mapsCharacter(pattern, rare.character, mode), expected)
                    << "'" << rare.character << "' in pattern " << pattern;
            }
        }
    }
}

TEST(LetterTables, EveryNoteLiesBetween43And103) {
    for (int pattern = 0; pattern < kPatternCount; ++pattern) {
        const int draws = drawRange(pattern) > 0 ? drawRange(pattern) : 1;
        for (TonicMode mode : kBothModes) {
            for (int byte = 0; byte < 256; ++byte) {
                for (int draw = 0; draw < draws; ++draw) {
                    const int pitch = pitchWithDraw(pattern, static_cast<std::uint8_t>(byte), mode, draw);
                    if (pitch == 0) continue;
                    EXPECT_GE(pitch, 43) << "pattern " << pattern << " byte " << byte;
                    EXPECT_LE(pitch, 103) << "pattern " << pattern << " byte " << byte;
                }
            }
        }
    }
}

TEST(LetterTables, NoPatternSelectedGivesRestsAndDoesNotDraw) {
    for (int pattern : {-1, 12, 100}) {
        for (TonicMode mode : kBothModes) {
            ScriptedRandom rng;
            EXPECT_EQ(letterPitch(pattern, 'A', mode, rng), 0);
            EXPECT_EQ(rng.drawCount(), 0);
        }
    }
}

}  // namespace
}  // namespace velmora
