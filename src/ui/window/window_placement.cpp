#include "ui/window/window_placement.h"

#include <algorithm>

namespace velmora {

namespace {

qint64 area(const QRect& rect) { return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height(); }

}  // namespace

QRect placeOnScreen(const QRect& window, const QList<QRect>& availableScreens) {
    if (availableScreens.isEmpty()) return window;
    const QRect* best = &availableScreens.first();
    for (const QRect& screen : availableScreens) {
        const bool topShown = screen.contains(QPoint(std::clamp(window.left(), screen.left(), screen.right()),
                                                        window.top()));
        if (topShown && 2 * area(screen.intersected(window)) >= area(window)) return window;
        if (area(screen.intersected(window)) > area(best->intersected(window))) best = &screen;
    }
    QRect placed(window.topLeft(), window.size().boundedTo(best->size()));
    placed.moveLeft(std::clamp(placed.left(), best->left(), best->right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), best->top(), best->bottom() - placed.height() + 1));
    return placed;
}

}  // namespace velmora
