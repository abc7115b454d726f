// Where the pages of a roll picture fall: every step drawn once, in order,
// on pictures no wider than common viewers open.
#include "roll/roll_pages.h"

#include <gtest/gtest.h>

#include "roll/roll_layout.h"

namespace velmora {
namespace {

RollModel musicOf(std::int32_t totalSteps, std::int32_t stepsPerBar = 8) {
    RollModel summary;
    summary.totalSteps = totalSteps;
    summary.stepsPerBar = stepsPerBar;
    return summary;
}

// The pages cover first..end-1 without gap or overlap, each no wider than allowed.
void expectPagesCover(const RollPagePlan& plan, std::int32_t first, std::int32_t end, int widest) {
    ASSERT_FALSE(plan.pages.empty());
    EXPECT_EQ(plan.pages.front().firstStep, first);
    EXPECT_EQ(plan.pages.back().endStep, end);
    for (std::size_t i = 0; i < plan.pages.size(); ++i) {
        const RollPage& page = plan.pages[i];
        if (i > 0) {
            EXPECT_EQ(page.firstStep, plan.pages[i - 1].endStep) << "page " << i;
        }
        EXPECT_LT(page.firstStep, page.endStep) << "page " << i;
        EXPECT_LE(page.width, widest) << "page " << i;
    }
}

TEST(RollPages, TheWholeMusicIsDrawnNarrowerBeforeItTakesPages) {
    // Lengths around the points where the picture narrows and where it pages.
    for (const std::int32_t totalSteps : {0, 100, 1990, 1991, 10000, 15964, 15965, 15966, 100000, 1234567}) {
        SCOPED_TRACE(totalSteps);
        const RollPagePlan plan = planRollPages(musicOf(totalSteps), {});
        expectPagesCover(plan, 0, totalSteps + 1, kWidestRollPicture);
        EXPECT_LE(plan.stepWidth, RollLayout::kDefaultStepWidth);
        EXPECT_GE(plan.stepWidth, 1.0);
        const bool fitsAtAPixelAStep = RollLayout::kAxisWidth + totalSteps + 1 <= kWidestRollPicture;
        EXPECT_EQ(plan.pages.size() == 1, fitsAtAPixelAStep) << plan.pages.size() << " pages";
        if (plan.pages.size() > 1) {
            EXPECT_EQ(plan.stepWidth, 1.0);
        }
    }
}

TEST(RollPages, ChosenBarsAndPageWidthsKeepFullStepsAndBreakAtBarLines) {
    const RollPagePlan bars = planRollPages(musicOf(800), {2, 3, std::nullopt});
    EXPECT_EQ(bars.stepWidth, RollLayout::kDefaultStepWidth);
    expectPagesCover(bars, 8, 24, kWidestRollPicture);

    const RollPagePlan narrow = planRollPages(musicOf(800), {0, 0, 400});
    EXPECT_EQ(narrow.stepWidth, RollLayout::kDefaultStepWidth);
    expectPagesCover(narrow, 0, 801, 400);
    for (const RollPage& page : narrow.pages) EXPECT_EQ(page.firstStep % 8, 0) << page.firstStep;

    const RollPagePlan barless = planRollPages(musicOf(800, 0), {0, 0, 300});
    expectPagesCover(barless, 0, 801, 300);
}

TEST(RollPages, ChoicesTheMusicCannotMeetSayWhatIsAllowed) {
    const struct {
        RollModel music;
        RollPageOptions options;
        const char* allowed;
    } refused[] = {
        {musicOf(800), {0, 0, 199}, "a page is 200 to 16000 pixels wide"},
        {musicOf(800), {0, 0, 16001}, "a page is 200 to 16000 pixels wide"},
        {musicOf(800), {3, 2, std::nullopt}, "the music has bars 1 to 101"},
        {musicOf(800), {100, 102, std::nullopt}, "the music has bars 1 to 101"},
        {musicOf(800, 0), {1, 2, std::nullopt}, "has no bars"},
    };
    for (const auto& [music, options, allowed] : refused) {
        try {
            planRollPages(music, options);
            ADD_FAILURE() << "accepted: " << allowed;
        } catch (const RollRangeError& error) {
            EXPECT_NE(std::string(error.what()).find(allowed), std::string::npos) << error.what();
        }
    }
}

TEST(RollPages, PagesAreNumberedBeforeTheExtension) {
    EXPECT_EQ(rollPageName("out/roll.png", 0, 1), "out/roll.png");
    EXPECT_EQ(rollPageName("out/roll.png", 0, 52), "out/roll-001.png");
    EXPECT_EQ(rollPageName("out/roll.svg", 1233, 1234), "out/roll-1234.svg");
    EXPECT_EQ(rollPageName("a.b/roll", 1, 2), "a.b/roll-002");
}

}  // namespace
}  // namespace velmora
