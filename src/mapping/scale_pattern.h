#pragma once

#include <optional>

namespace velmora {

// The twelve patterns, named by their scales. The values are the indices the
// settings store and the pattern choice shows (item "1" is 0), and the order
// of every table kept per pattern.
enum class ScalePattern : int {
    Funny = 0,         // ファニー
    Fantastic = 1,     // ファンタジック
    Gypsy = 2,         // ジプシー音階
    WholeTone = 3,     // 全音階
    Ryo = 4,           // 呂旋法
    Ritsu = 5,         // 律旋法
    Ryukyu = 6,        // 琉球旋法
    MajorLike = 7,     // メジャー風
    MinorLike = 8,     // マイナー風
    BluesLike = 9,     // ブルース風
    MoreNatural = 10,  // より自然なサウンド（かも知れない）
    Spanish = 11,      // スパニッシュスケール
};

constexpr int kPatternCount = 12;

// The pattern at an index as the options hold it; none outside 0..11 (-1 is
// "no pattern chosen").
constexpr std::optional<ScalePattern> scalePatternAt(int index) {
    if (index < 0 || index >= kPatternCount) return std::nullopt;
    return static_cast<ScalePattern>(index);
}

constexpr int indexOf(ScalePattern pattern) { return static_cast<int>(pattern); }

}  // namespace velmora
