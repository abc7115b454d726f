#pragma once

namespace velmora {

// Lets screen readers read the roll: its accessible value and text are the
// view's spoken text (the sounding note and bar, or the notes of the caret's
// character), announced as it changes. Installed once for every RollView.
void installRollViewAccessibility();

}  // namespace velmora
