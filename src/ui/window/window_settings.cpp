// The settings files: a load places the window and hands the options to the
// binder, which sets the controls in the option table's order; a store writes
// the window's place, the presets, the document and the output beside them.
#include <QGuiApplication>
#include <QScreen>

#include "documents/settings.h"
#include "ui/controls/option_binder.h"
#include "ui/dialogs/preset_dialog.h"
#include "ui/document/document.h"
#include "ui/window/main_window.h"
#include "ui/window/window_placement.h"

namespace velmora {

namespace {

// The window manager's frame around the client area: a title bar and borders.
constexpr int kFrameAllowanceX = 10;
constexpr int kFrameAllowanceY = 40;

}  // namespace

void MainWindow::takeSettings(const LoadedSettings& loaded) {
    if (loaded.global) placeWindow(*loaded.global);
    loadOptions(loaded.config, loaded.global.has_value());
}

void MainWindow::placeWindow(const LoadedGlobalRows& global) {
    move(global.left, y());
    move(x(), global.top);
    if (global.width > 0 && global.height > 0)
        resize(QSize(global.width, global.height).expandedTo(minimumSize()));
    keepOnScreen();
}

void MainWindow::keepOnScreen() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    // The frame around the client area must be on the screen as well.
    const QRect framed = QRect(pos(), size()).adjusted(0, 0, kFrameAllowanceX, kFrameAllowanceY);
    const QRect placed = placeOnScreen(framed, screens);
    if (placed == framed) return;
    resize(placed.width() - kFrameAllowanceX, placed.height() - kFrameAllowanceY);
    move(placed.topLeft());
}

void MainWindow::loadOptions(const PerformanceOptions& values, bool withGlobalOnly) {
    binder_->load(values, withGlobalOnly);
    // The controls show the transport's state again, with the solo
    // instrument's enabling after the two-channel switch.
    displayChanged(performance_->transport().display());
}

GlobalSettings MainWindow::globalSettings() const {
    GlobalSettings global;
    global.left = x();
    global.top = y();
    global.width = width();
    global.height = height();
    if (presets_ != nullptr) global.presets = presets_->presetSelections();
    global.latest = document_->path();
    global.output = performance_->output().settings();
    global.recent = settings_.recent();
    return global;
}

void MainWindow::storeFor(const std::string& textPath) {
    settings_.storeForText(textPath, globalSettings(), options());
}

bool MainWindow::readFor(const std::string& textPath, bool apply) {
    const SettingsStore::TextSettings read = settings_.loadForText(textPath);
    if (apply && read.loaded) takeSettings(*read.loaded);
    return read.foreign;
}

}  // namespace velmora
