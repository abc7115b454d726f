#pragma once

class QWidget;

namespace velmora {

// Gives the main window's parts that are not options (the memo, the buttons
// without words, the displays) the names and descriptions screen readers
// say, in the window's language. The option controls get theirs where they
// are made.
void nameWindowPartsForReaders(QWidget& window);

}  // namespace velmora
