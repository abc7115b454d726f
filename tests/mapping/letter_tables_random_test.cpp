#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "letter_lookup.h"
#include "mapping/letter_tables.h"

namespace velmora {
namespace {

TEST(RandomAlternatives, TableTenChoosesByTheDraw) {
    for (TonicMode mode : kBothModes) {
        EXPECT_EQ(pitchOf(10, '1', mode, 0), 81);
        EXPECT_EQ(pitchOf(10, '1', mode, 1), 80);
        EXPECT_EQ(pitchOf(10, '1', mode, 9), 80);
    }
    EXPECT_EQ(pitchOf(10, '5', TonicMode::A, 0), 90);
    EXPECT_EQ(pitchOf(10, '5', TonicMode::A, 1), 90);
    EXPECT_EQ(pitchOf(10, '5', TonicMode::A, 2), 89);
    EXPECT_EQ(pitchOf(10, '5', TonicMode::E, 0), 90);
    EXPECT_EQ(pitchOf(10, '5', TonicMode::E, 1), 89);
}

TEST(RandomAlternatives, TableElevenChoosesByTheDraw) {
    for (int draw = 0; draw < 7; ++draw) {
        EXPECT_EQ(pitchOf(11, '6', TonicMode::E, draw), draw <= 3 ? 92 : 91) << "draw " << draw;
        EXPECT_EQ(pitchOf(11, '6', TonicMode::A, draw), 92) << "draw " << draw;
    }
}

// Which characters have two notes, and below which draw the alternative sounds.
struct Odds {
    int pattern;
    TonicMode mode;
    int limit;
    std::string_view characters;
};

const Odds kOdds[] = {
    {10, TonicMode::A, 1, "137BMQWX"}, {10, TonicMode::A, 2, "5JRV"}, {10, TonicMode::E, 1, "1357BJMQRVWX"},
    {11, TonicMode::A, 2, "18KS"},     {11, TonicMode::E, 4, "6FIN"},
};

int limitOf(int pattern, TonicMode mode, char character) {
    for (const Odds& odds : kOdds) {
        if (odds.pattern == pattern && odds.mode == mode &&
            odds.characters.find(character) != std::string_view::npos) {
            return odds.limit;
        }
    }
    return 0;
}

TEST(RandomAlternatives, TheAlternativeSoundsExactlyBelowItsLimit) {
    for (int pattern : {10, 11}) {
        for (TonicMode mode : kBothModes) {
            for (int byte = 0; byte < 256; ++byte) {
                const char character = static_cast<char>(byte);
                const int limit = limitOf(pattern, mode, character);
                const int usual = pitchOf(pattern, character, mode, drawRange(pattern) - 1);
                for (int draw = 0; draw < drawRange(pattern); ++draw) {
                    const int pitch = pitchOf(pattern, character, mode, draw);
                    if (draw < limit) {
                        EXPECT_NE(pitch, usual) << pattern << " '" << character << "' draw " << draw;
                        EXPECT_EQ(pitch, pitchOf(pattern, character, mode, 0));
                        EXPECT_NE(pitch, 0);
                    } else {
                        EXPECT_EQ(pitch, usual) << pattern << " '" << character << "' draw " << draw;
                    }
                }
            }
        }
    }
}

TEST(RandomAlternatives, AlternativesAreNeighbours) {
    // Every alternative is a semitone from the usual note.
    for (const Odds& odds : kOdds) {
        for (char character : odds.characters) {
            const int usual = pitchOf(odds.pattern, character, odds.mode, drawRange(odds.pattern) - 1);
            const int alternative = pitchOf(odds.pattern, character, odds.mode, 0);
            EXPECT_EQ(std::abs(alternative - usual), 1) << odds.pattern << " '" << character << "'";
        }
    }
}

TEST(RandomDraws, TablesTenAndElevenDrawOncePerCallWhateverTheByte) {
    for (int pattern : {10, 11}) {
        for (TonicMode mode : kBothModes) {
            ScriptedRandom rng;
            for (int byte = 0; byte < 256; ++byte) {
                rng.push(0);
                letterPitch(pattern, static_cast<std::uint8_t>(byte), mode, rng);
                ASSERT_EQ(rng.drawCount(), byte + 1) << "pattern " << pattern << " byte " << byte;
            }
            for (int bound : rng.bounds()) EXPECT_EQ(bound, pattern == 10 ? 10 : 7);
        }
    }
}

TEST(RandomDraws, OtherTablesNeverDraw) {
    for (int pattern = 0; pattern < 10; ++pattern) {
        for (TonicMode mode : kBothModes) {
            ScriptedRandom rng;
            for (int byte = 0; byte < 256; ++byte)
                letterPitch(pattern, static_cast<std::uint8_t>(byte), mode, rng);
            EXPECT_EQ(rng.drawCount(), 0) << "pattern " << pattern;
        }
    }
}

TEST(RandomDraws, EachCallUsesItsOwnDraw) {
    ScriptedRandom rng{5, 0, 1};
    EXPECT_EQ(letterPitch(10, 'H', TonicMode::A, rng), 0);  // an unlisted byte still takes the 5
    EXPECT_EQ(letterPitch(10, '1', TonicMode::A, rng), 81);
    EXPECT_EQ(letterPitch(10, '1', TonicMode::A, rng), 80);
    EXPECT_TRUE(rng.exhausted());
}

TEST(RandomDraws, TheSeededGeneratorAdvancesByExactlyOneDraw) {
    for (int pattern : {10, 11}) {
        SeededRandom used(1234);
        SeededRandom twin(1234);
        for (char character : std::string_view("HELLO, WORLD 1357")) {
            letterPitch(pattern, static_cast<std::uint8_t>(character), TonicMode::E, used);
            twin.below(drawRange(pattern));
        }
        EXPECT_EQ(used.nextU64(), twin.nextU64()) << "pattern " << pattern;
    }
}

}  // namespace
}  // namespace velmora
