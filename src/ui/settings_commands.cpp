// The settings files: a load places the window and hands the options to the
// binder, which sets the controls in the option table's order.
#include <QScreen>

#include "documents/settings.h"
#include "ui/main_window.h"
#include "ui/option_binder.h"

namespace velmora {

void TForm1::takeSettings(const LoadedSettings& loaded) {
    if (loaded.global) placeWindow(*loaded.global);
    loadOptions(loaded.config, loaded.global.has_value());
}

void TForm1::placeWindow(const LoadedGlobalRows& global) {
    move(global.left, y());
    move(x(), global.top);
    if (global.width > 0 && global.height > 0)
        resize(QSize(global.width, global.height).expandedTo(minimumSize()));
    keepOnScreen();
}

void TForm1::loadOptions(const PerformanceOptions& values, bool withGlobalOnly) {
    binder_->load(values, withGlobalOnly);
    // The controls show the transport's state again, with the solo
    // instrument's enabling after the two-channel switch.
    displayChanged(performance_->transport().display());
}

}  // namespace velmora
