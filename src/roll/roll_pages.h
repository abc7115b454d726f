#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "roll/roll_model.h"

namespace velmora {

// A choice of what a roll picture shows that the music cannot meet: bars it
// does not have, a page too narrow or too wide. The message says what is allowed.
class RollRangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RollPageOptions {
    std::int32_t firstBar = 0;  // --bars FROM-TO, counted from 1; 0: all the music
    std::int32_t lastBar = 0;
    std::optional<int> pageWidth;  // --page-width, in pixels
};

// One picture of a roll: the steps first..end-1, `width` pixels wide.
struct RollPage {
    std::int32_t firstStep = 0;
    std::int32_t endStep = 0;
    int width = 0;
};

struct RollPagePlan {
    double stepWidth = 0;
    std::vector<RollPage> pages;
};

// The widest picture that common viewers open (ImageMagick's default limit is 16384).
inline constexpr int kWidestRollPicture = 16000;
inline constexpr int kNarrowestRollPage = 200;
inline constexpr double kRollPictureRowHeight = 10;  // tall enough to name every row

// Where the pages of a roll picture fall. Without options the whole music is
// drawn, narrower (down to a pixel a step) until it fits one picture of
// kWidestRollPicture, and on as many pages of that width as a pixel a step
// needs when it does not. With --bars or --page-width every step keeps its
// full width and the pages break at bar lines where they can. Throws
// RollRangeError.
RollPagePlan planRollPages(const RollModel& summary, const RollPageOptions& options);

// The name of page `index` (from 0) of `count`: the path itself for a single
// page, else "-001" (as many digits as the count needs, at least 3) before
// the extension.
std::string rollPageName(const std::string& path, std::size_t index, std::size_t count);

}  // namespace velmora
