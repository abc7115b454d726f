#include "ui/memo/memo_geometry.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(MemoGeometry, ParagraphsAreSeparatedByCrLfAndAFinalBreakIsNoLine) {
    // "ab\ncd\n" as the memo holds it: two paragraphs and an empty last one.
    const MemoGeometry memo({{"ab", true}, {"cd", true}, {"", true}});
    EXPECT_EQ(memo.playLines(), (std::vector<std::string>{"AB", "CD"}));
    EXPECT_EQ(memo.lineStarts(), (std::vector<std::int32_t>{0, 4}));
    EXPECT_EQ(memo.textBytes(), 8u);         // a, b, CR LF, c, d, CR LF
    EXPECT_EQ(memo.documentPosition(8), 6);  // the empty last paragraph
    EXPECT_EQ(memo.lineOfPosition(6), 2);
}

TEST(MemoGeometry, EachWrappedPieceIsALineWithoutABreakBeforeTheNext) {
    const MemoGeometry memo({{"one ", false}, {"two ", false}, {"three", true}, {"x", true}});
    EXPECT_EQ(memo.playLines(), (std::vector<std::string>{"ONE ", "TWO ", "THREE", "X"}));
    EXPECT_EQ(memo.lineStarts(), (std::vector<std::int32_t>{0, 4, 8, 15}));
    EXPECT_EQ(memo.textBytes(), 16u);
    // Document positions: one position between paragraphs, none between pieces.
    EXPECT_EQ(memo.documentPosition(4), 4);
    EXPECT_EQ(memo.documentPosition(15), 14);
    EXPECT_EQ(memo.byteOffset(14), 15);
    EXPECT_EQ(memo.lineOfPosition(5), 1);
    EXPECT_EQ(memo.lineOfPosition(14), 3);
}

TEST(MemoGeometry, AnEmptyMemoHasNoLines) {
    const MemoGeometry memo({{"", true}});
    EXPECT_TRUE(memo.playLines().empty());
    EXPECT_EQ(memo.textBytes(), 0u);
    EXPECT_EQ(memo.documentPosition(5), 0);
}

TEST(MemoGeometry, AnEmptyLineInsideTheTextIsPlayed) {
    const MemoGeometry memo({{"a", true}, {"", true}, {"b", true}});
    EXPECT_EQ(memo.playLines(), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(memo.lineStarts(), (std::vector<std::int32_t>{0, 3, 5}));
}

TEST(MemoGeometry, TwoByteCharactersCountTwoBytesButOnePosition) {
    // "aあb": あ is two bytes in CP932 and one UTF-16 unit.
    const MemoGeometry memo({{"a\xE3\x81\x82"
                              "b",
                              true},
                             {"c", true}});
    ASSERT_EQ(memo.playLines().size(), 2u);
    EXPECT_EQ(memo.playLines()[0],
              "A\x82\xA0"
              "B");
    EXPECT_EQ(memo.lineStarts()[1], 6);
    EXPECT_EQ(memo.documentPosition(1), 1);  // あ
    EXPECT_EQ(memo.documentPosition(2), 1);  // inside あ: still あ
    EXPECT_EQ(memo.documentPosition(3), 2);  // b
    EXPECT_EQ(memo.documentPosition(6), 4);  // c
    EXPECT_EQ(memo.byteOffset(2), 3);
    EXPECT_EQ(memo.byteOffset(4), 6);
}

TEST(MemoGeometry, ACharacterOutsideTheBasicPlaneTakesTwoPositions) {
    // U+1F600 has no CP932 form: two substitute bytes, two UTF-16 units.
    const MemoGeometry memo(
        {{"\xF0\x9F\x98\x80"
          "z",
          true}});
    EXPECT_EQ(memo.playLines()[0].size(), 3u);
    EXPECT_EQ(memo.documentPosition(2), 2);
    EXPECT_EQ(memo.byteOffset(2), 2);
}

TEST(MemoGeometry, AnOffsetInsideALineBreakGivesTheEndOfItsLine) {
    const MemoGeometry memo({{"ab", true}, {"c", true}});
    EXPECT_EQ(memo.documentPosition(3), 2);
    EXPECT_EQ(memo.documentPosition(99), 4);
}

}  // namespace
}  // namespace velmora
