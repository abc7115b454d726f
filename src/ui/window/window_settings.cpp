// The settings files: a load places the window and hands the options to the
// binder, which sets the controls in the option table's order; a store writes
// the window's place, the presets, the document and the output beside them.
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include "documents/settings.h"
#include "ui/controls/option_binder.h"
#include "ui/dialogs/preset_dialog.h"
#include "ui/document/document.h"
#include "ui/window/main_window.h"
#include "ui/window/window_placement.h"

namespace velmora {

namespace {

// The window manager's frame around the client area: a title bar and
// borders, drawn in the screen's own pixels whatever the program's scale.
QSize frameAllowance(const QWidget& window) {
    return (QSizeF(10, 40) / window.devicePixelRatioF()).toSize();
}

QList<QRect> availableScreens() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    return screens;
}

}  // namespace

void MainWindow::takeSettings(const LoadedSettings& loaded) {
    if (loaded.global) placeWindow(*loaded.global);
    loadOptions(loaded.config, loaded.global.has_value());
}

void MainWindow::placeWindow(const LoadedGlobalRows& global) {
    move(global.left, y());
    move(x(), global.top);
    if (global.width > 0 && global.height > 0) wantedSize_ = QSize(global.width, global.height);
    resize(wantedSize_.expandedTo(minimumSize()));
    keepOnScreen();
}

void MainWindow::keepOnScreen() { keepOnScreen(availableScreens()); }

void MainWindow::keepOnScreen(const QList<QRect>& availableScreens) {
    // The frame around the client area must be on the screen as well.
    const QSize frame = frameAllowance(*this);
    const auto framed = [&] { return QRect(pos(), size() + frame); };
    if (availableScreens.isEmpty()) return;
    fitControls(screenShowing(framed(), availableScreens).size() - frame);
    const QRect placed = placeOnScreen(framed(), availableScreens);
    if (placed == framed()) return;
    resize(placed.size() - frame);
    move(placed.topLeft());
}

void MainWindow::fitControlsToScreen(const QScreen& screen) {
    fitControls(screen.availableGeometry().size() - frameAllowance(*this));
}

void MainWindow::fitControls(const QSize& room) {
    // The size wanted so far, unless the last screen cut it short, is kept.
    wantedSize_ = sizeToRemember(size(), wantedSize_, room_);
    room_ = room;
    // The layouts settle later by themselves; the sizes are wanted now.
    const auto minimumNow = [this] {
        centralWidget()->layout()->invalidate();
        centralWidget()->updateGeometry();
        layout()->invalidate();
        return minimumSizeHint();
    };
    // As designed where that fits; else the pattern and tempo groups go under
    // the others, and the panel scrolls what the screen's height leaves out.
    arrangeControlPanel(c_, false);
    const QSize designed = minimumNow();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, c_.controlScroll);
    const int barIfShort = designed.height() > room.height() ? scrollBar : 0;
    arrangeControlPanel(c_, std::max(kMinimumWidth, designed.width()) + barIfShort > room.width());
    QScrollArea* scroll = c_.controlScroll;
    const int panelHeight = c_.controlPanel->height();
    const int excess = minimumNow().height() - room.height();
    if (excess > 0) {
        const int fewRows = std::min(panelHeight, 4 * fontMetrics().height());
        scroll->setMinimumHeight(std::max(fewRows, panelHeight - excess));
        scroll->setMinimumWidth(scroll->minimumWidth() + scrollBar);
    }
    scroll->setMinimumWidth(std::min(scroll->minimumWidth(), room.width()));
    setMinimumWidth(std::min(std::max(kMinimumWidth, minimumNow().width()), room.width()));
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
    const QSize remembered = sizeToRemember(size(), wantedSize_, room_);
    global.width = remembered.width();
    global.height = remembered.height();
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
