#include "ui/window/window_placement.h"

#include <algorithm>

namespace velmora {

namespace {

qint64 area(const QRect& rect) { return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height(); }

int remembered(int current, int wanted, int room) { return current < wanted && current >= room ? wanted : current; }

}  // namespace

QRect screenShowing(const QRect& window, const QList<QRect>& availableScreens) {
    if (availableScreens.isEmpty()) return window;
    const QRect* best = &availableScreens.first();
    for (const QRect& screen : availableScreens)
        if (area(screen.intersected(window)) > area(best->intersected(window))) best = &screen;
    return *best;
}

QRect placeOnScreen(const QRect& window, const QList<QRect>& availableScreens) {
    if (availableScreens.isEmpty()) return window;
    for (const QRect& screen : availableScreens) {
        const bool heightShown = window.top() >= screen.top() && window.bottom() <= screen.bottom();
        if (heightShown && 2 * area(screen.intersected(window)) >= area(window))
            return window;
    }
    const QRect best = screenShowing(window, availableScreens);
    QRect placed(window.topLeft(), window.size().boundedTo(best.size()));
    placed.moveLeft(std::clamp(placed.left(), best.left(), best.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), best.top(), best.bottom() - placed.height() + 1));
    return placed;
}

QSize sizeToRemember(const QSize& current, const QSize& wanted, const QSize& room) {
    return {remembered(current.width(), wanted.width(), room.width()),
            remembered(current.height(), wanted.height(), room.height())};
}

}  // namespace velmora
