#pragma once

#include <QList>
#include <QRect>

namespace velmora {

// Where a window restored at `window` (its frame, title bar included) is
// placed so that the user can see and reach it: unchanged when one screen's
// available area shows its top edge and at least half of it; otherwise moved
// (and cut to size where it is larger) wholly onto the screen that shows most
// of it, or onto the first screen when none shows any of it.
QRect placeOnScreen(const QRect& window, const QList<QRect>& availableScreens);

}  // namespace velmora
