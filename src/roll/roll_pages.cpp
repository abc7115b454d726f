#include "roll/roll_pages.h"

#include <algorithm>
#include <cmath>

#include "roll/roll_layout.h"

namespace velmora {

namespace {

struct StepRange {
    std::int32_t first;
    std::int32_t end;
};

StepRange stepsToDraw(const RollModel& summary, const RollPageOptions& options) {
    const StepRange all{0, summary.totalSteps + 1};
    if (options.firstBar == 0) return all;
    const std::int32_t perBar = summary.stepsPerBar;
    if (perBar <= 0) {
        throw RollRangeError("--bars: this music has no bars (its rhythm has no metre); use --page-width");
    }
    const std::int32_t bars = summary.totalSteps / perBar + 1;
    if (options.firstBar < 1 || options.lastBar < options.firstBar || options.lastBar > bars) {
        throw RollRangeError("--bars " + std::to_string(options.firstBar) + "-" + std::to_string(options.lastBar) +
                             ": the music has bars 1 to " + std::to_string(bars) + " (FROM-TO, FROM not after TO)");
    }
    return {(options.firstBar - 1) * perBar, std::min(options.lastBar * perBar, all.end)};
}

}  // namespace

RollPagePlan planRollPages(const RollModel& summary, const RollPageOptions& options) {
    if (options.pageWidth && (*options.pageWidth < kNarrowestRollPage || *options.pageWidth > kWidestRollPicture)) {
        throw RollRangeError("--page-width " + std::to_string(*options.pageWidth) + ": a page is " +
                             std::to_string(kNarrowestRollPage) + " to " + std::to_string(kWidestRollPicture) +
                             " pixels wide");
    }
    const StepRange range = stepsToDraw(summary, options);
    const double steps = std::max(1, range.end - range.first);
    RollPagePlan plan;
    plan.stepWidth = RollLayout::kDefaultStepWidth;
    const bool fitWhole = options.firstBar == 0 && !options.pageWidth;
    if (fitWhole && RollLayout::kAxisWidth + steps * plan.stepWidth > kWidestRollPicture) {
        plan.stepWidth = std::max(1.0, (kWidestRollPicture - RollLayout::kAxisWidth) / steps);
    }
    const int pageWidth = options.pageWidth.value_or(kWidestRollPicture);
    auto perPage = static_cast<std::int32_t>(std::floor((pageWidth - RollLayout::kAxisWidth) / plan.stepWidth));
    perPage = std::max(1, perPage);
    // Pages break at bar lines when a bar fits a page.
    if (!fitWhole && summary.stepsPerBar > 0 && perPage >= summary.stepsPerBar) {
        perPage -= perPage % summary.stepsPerBar;
    }
    for (std::int32_t first = range.first; first < std::max(range.end, range.first + 1); first += perPage) {
        const std::int32_t end = std::min(first + perPage, std::max(range.end, range.first + 1));
        const int width = static_cast<int>(std::ceil(RollLayout::kAxisWidth + (end - first) * plan.stepWidth));
        plan.pages.push_back({first, end, width});
    }
    return plan;
}

std::string rollPageName(const std::string& path, std::size_t index, std::size_t count) {
    if (count <= 1) return path;
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const std::size_t insertAt = dot == std::string::npos || (slash != std::string::npos && dot < slash) ? path.size() : dot;
    const std::size_t digits = std::max<std::size_t>(3, std::to_string(count).size());
    std::string number = std::to_string(index + 1);
    number.insert(0, digits - number.size(), '0');
    return path.substr(0, insertAt) + "-" + number + path.substr(insertAt);
}

}  // namespace velmora
