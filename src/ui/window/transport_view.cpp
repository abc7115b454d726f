// The transport's side of the window: the memo as the performance sees it, and
// the transport's display copied onto the controls.
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>

#include "ui/commands/command_registry.h"
#include "ui/controls/option_binder.h"
#include "ui/memo/memo_edit.h"
#include "ui/performance/output_warning_watch.h"
#include "ui/roll/roll_panel.h"
#include "ui/settings/engine_texts.h"
#include "ui/window/main_window.h"

namespace velmora {

namespace {

void setPanelColour(QFrame* panel, bool lit) {
    QPalette colours = panel->palette();
    const QColor face = panel->style()->standardPalette().color(QPalette::Window);
    colours.setColor(QPalette::Window, lit ? QColor(0xC0, 0xDC, 0xC0) : face);
    panel->setPalette(colours);
}

}  // namespace

void MainWindow::playOrStop() {
    rollPanel_->runTransportCommand([this] { performance_->playOrStop(); });
    reportOutputError();
    outputWarnings_->check();  // a stop closed the output: a capture file's last write is known now
}

void MainWindow::linePlayOrStop() {
    rollPanel_->runTransportCommand([this] { performance_->linePlayOrStop(); });
    reportOutputError();
    outputWarnings_->check();
}

MemoSnapshot MainWindow::memoSnapshot() {
    performanceGeometry_ = c_.memo->geometry();
    MemoSnapshot memo;
    memo.upperLines = performanceGeometry_.playLines();
    memo.lineStarts = performanceGeometry_.lineStarts();
    memo.visibleLines = c_.memo->visibleLineCount();
    memo.caretLine = performanceGeometry_.lineOfPosition(c_.memo->textCursor().position());
    return memo;
}

// The caret goes where the performance starts or stops; the sounding
// character is only marked, so that what the user types never replaces it.
void MainWindow::setMemoSelection(std::int32_t start, std::int32_t length) {
    const int position = performanceGeometry_.documentPosition(start);
    c_.memo->selectAt(position, 0);
    if (length > 0)
        c_.memo->highlightAt(position);
    else
        c_.memo->clearHighlight();
}

void MainWindow::highlightCharacter(std::int32_t /*memoPos*/, std::int32_t soundingOffset) {
    c_.memo->highlightAt(performanceGeometry_.documentPosition(soundingOffset));
}

void MainWindow::scrollDownOneLine() { c_.memo->scrollDownOneLine(); }

void MainWindow::showElapsed(const std::string& text) {
    const QString elapsed = QString::fromStdString(text);
    if (c_.elapsedTime->text() != elapsed) c_.elapsedTime->setText(elapsed);
}

// What the transport shows, on the window: the commands, the options a
// performance locks, dropped files, the panels' colour and the status panel.
void MainWindow::displayChanged(const TransportDisplay& display) {
    commands_->followTransport(display);
    // The binder goes first when the window closes.
    if (binder_) binder_->showPerformanceRuns(display.optionsLocked);
    setAcceptingDrops(display.acceptDrops);
    setPanelColour(c_.controlPanel, display.panelsLit);
    setPanelColour(c_.instrumentPanel, display.panelsLit);
    // Until the first performance the transport has said nothing: resting.
    c_.statusTransport->setText(engineText(display.status.empty() ? kStatusResting : display.status));
    statusBar()->repaint();
    // The transport publishes while the window is built, before the roll's panel exists.
    if (rollPanel_) rollPanel_->transportChanged();
}

void MainWindow::showOverrunMessage(const std::string& message) {
    prompts_->showInformation(engineText(message));
}

// Said once, whole, in a box; the technical reason stays in the status bar's tooltip.
void MainWindow::reportOutputError() {
    const std::optional<std::string> error = performance_->output().newOpenError();
    if (!error) return;
    showNotice(tr("出力を開けません"), technicalDetail(*error));
    prompts_->showWarning(
        tr("音を出せません。「設定」メニューの「出力…」で出力先かサウンドフォントを選んでください。"));
}

}  // namespace velmora
