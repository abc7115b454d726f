#pragma once

// The benchmarks' reference text: English words drawn from a fixed seed, eight
// to a line, so every run and every machine performs the same music.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace velmora::bench {

inline std::vector<std::string> referenceTextLines(int lineCount, std::uint32_t seed = 20261208) {
    static const char* const kWords[] = {
        "morning", "river",  "bridge", "song",  "light",  "quiet", "stone", "wind",   "garden", "window",
        "evening", "bakery", "mill",   "water", "forgot", "cold",  "bright", "house", "walked", "counting",
        "a",       "the",    "of",     "and",   "to",     "in",    "she",   "was",    "at",     "by"};
    constexpr int kWordCount = sizeof(kWords) / sizeof(kWords[0]);
    std::mt19937 random(seed);
    std::vector<std::string> lines;
    for (int line = 0; line < lineCount; ++line) {
        std::string text;
        for (int word = 0; word < 8; ++word) {
            if (word > 0) text += random() % 7 == 0 ? ", " : " ";
            text += kWords[random() % kWordCount];
        }
        lines.push_back(text + ".");
    }
    return lines;
}

}  // namespace velmora::bench
