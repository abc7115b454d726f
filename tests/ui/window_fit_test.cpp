// The window on a small screen or at a large scale.
#include <QScrollArea>

#include "ui/roll/roll_view.h"
#include "ui/window/window_placement.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

TEST(WindowPlacement, ASideTheScreenCutShortIsRememberedAsItWasWanted) {
    const QSize room(630, 360);  // 1280x800 at twice the scale
    EXPECT_EQ(sizeToRemember({630, 360}, {810, 566}, room), QSize(810, 566));  // fitted to the screen
    EXPECT_EQ(sizeToRemember({500, 300}, {810, 566}, room), QSize(500, 300));  // the user's own size
    EXPECT_EQ(sizeToRemember({630, 360}, {400, 300}, room), QSize(630, 360));  // grown to the screen
}

using WindowFit = WindowTest;

// 1280x800 at twice and one and a half times the scale, then a large screen.
TEST_F(WindowFit, EveryControlIsReachableInsideTheWindowOnTheScreenItHas) {
    for (const QRect& screen : {QRect(0, 0, 640, 400), QRect(0, 0, 853, 533), QRect(0, 0, 1920, 1080)}) {
        auto window = openWindow();
        window->show();
        window->keepOnScreen({screen});
        QApplication::processEvents();
        const MainControls& c = window->controls();
        EXPECT_TRUE(screen.contains(QRect(window->pos(), window->size())));
        EXPECT_LE(window->minimumSizeHint().height(), screen.height());
        EXPECT_LE(window->minimumWidth(), screen.width());
        QWidget* viewport = c.controlScroll->viewport();
        EXPECT_TRUE(window->rect().contains(QRect(viewport->mapTo(window.get(), QPoint()), viewport->size())));
        EXPECT_EQ(viewport->height() < c.controlPanel->height(), screen.height() < 500);
        for (QWidget* control : c.controlPanel->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(window.get()) || control->children().size() > 2) continue;
            c.controlScroll->ensureWidgetVisible(control, 0, 0);
            const QRect shown(control->mapTo(viewport, QPoint()), control->size());
            EXPECT_TRUE(viewport->rect().contains(shown)) << control->metaObject()->className();
        }
        EXPECT_TRUE(c.memo->height() > 0 && c.roll->height() > 0);
    }
}

TEST_F(WindowFit, ASizeFittedToASmallScreenIsNotStoredForTheNextStart) {
    auto window = openWindow();
    window->keepOnScreen({QRect(0, 0, 1920, 1080)});
    window->resize(900, 500);
    window->keepOnScreen({QRect(0, 0, 640, 400)});
    ASSERT_LT(window->height(), 500);
    ASSERT_TRUE(window->close());
    EXPECT_NE(readFile("velmora.ini").find("width=900\r\nheight=500\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velmora::testing
