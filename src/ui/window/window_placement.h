#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace velmora {

// The screen, of `availableScreens`, that shows most of `window`; the first
// when none shows any of it.
QRect screenShowing(const QRect& window, const QList<QRect>& availableScreens);

// Where a window restored at `window` (its frame, title bar included) is
// placed so that the user can see and reach it: unchanged when one screen's
// available area shows its top and bottom edges and at least half of it;
// otherwise moved (and cut to size where it is larger) wholly onto the screen
// that shows most of it, or onto the first screen when none shows any of it.
QRect placeOnScreen(const QRect& window, const QList<QRect>& availableScreens);

// The size a window now `current` remembers for its next start, when it was
// given `wanted` (as restored or designed) and its client area can be at most
// `room` on its screen: a side the screen cut short of `wanted` keeps the
// wanted length, so that a small screen or a large scale factor does not
// shrink the window at the next start on a screen with room for it; any
// other size is the user's and kept as it is.
QSize sizeToRemember(const QSize& current, const QSize& wanted, const QSize& room);

}  // namespace velmora
