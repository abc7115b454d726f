// The transport's side of the window: the memo as the performance sees it, and
// the transport's display copied onto the controls.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

#include "ui/engine_texts.h"
#include "ui/main_window.h"
#include "ui/memo_edit.h"
#include "ui/option_binder.h"
#include "ui/output_warning_watch.h"
#include "ui/roll_panel.h"

namespace velmora {

namespace {

void setPanelColour(QFrame* panel, bool lit) {
    QPalette colours = panel->palette();
    const QColor face = panel->style()->standardPalette().color(QPalette::Window);
    colours.setColor(QPalette::Window, lit ? QColor(0xC0, 0xDC, 0xC0) : face);
    panel->setPalette(colours);
}

}  // namespace

void TForm1::BitBtn2Click() {
    rollPanel_->runTransportCommand([this] { performance_->playOrStop(); });
    reportOutputError();
    outputWarnings_->check();  // a stop closed the output: a capture file's last write is known now
}

void TForm1::BitBtn5Click() {
    rollPanel_->runTransportCommand([this] { performance_->linePlayOrStop(); });
    reportOutputError();
    outputWarnings_->check();
}

void TForm1::BitBtn4Click() { performance_->pauseOrContinue(); }

void TForm1::Action1Execute() { performance_->silenceChord(); }

MemoSnapshot TForm1::memoSnapshot() {
    performanceGeometry_ = c_.Memo1->geometry();
    MemoSnapshot memo;
    memo.upperLines = performanceGeometry_.playLines();
    memo.lineStarts = performanceGeometry_.lineStarts();
    memo.visibleLines = c_.Memo1->visibleLineCount();
    memo.caretLine = performanceGeometry_.lineOfPosition(c_.Memo1->textCursor().position());
    return memo;
}

// The caret goes where the performance starts or stops; the sounding
// character is only marked, so that what the user types never replaces it.
void TForm1::setMemoSelection(std::int32_t start, std::int32_t length) {
    const int position = performanceGeometry_.documentPosition(start);
    c_.Memo1->selectAt(position, 0);
    if (length > 0)
        c_.Memo1->highlightAt(position);
    else
        c_.Memo1->clearHighlight();
}

void TForm1::highlightCharacter(std::int32_t /*memoPos*/, std::int32_t soundingOffset) {
    c_.Memo1->highlightAt(performanceGeometry_.documentPosition(soundingOffset));
}

void TForm1::scrollDownOneLine() { c_.Memo1->scrollDownOneLine(); }

void TForm1::showElapsed(const std::string& text) {
    const QString elapsed = QString::fromStdString(text);
    if (c_.Label4->text() != elapsed) c_.Label4->setText(elapsed);
}

void TForm1::displayChanged(const TransportDisplay& display) {
    c_.BitBtn2->setText(QString::fromStdString(display.playCaption));
    c_.BitBtn5->setText(QString::fromStdString(display.linePlayCaption));
    c_.BitBtn4->setText(QString::fromStdString(display.pauseCaption));
    c_.BitBtn2->setEnabled(display.playEnabled);
    c_.BitBtn5->setEnabled(display.linePlayEnabled);
    c_.BitBtn1->setEnabled(display.openEnabled);
    c_.BitBtn3->setEnabled(display.saveAsEnabled);
    c_.BitBtn6->setEnabled(display.saveEnabled);
    // The binder goes first when the window closes.
    if (binder_) binder_->showPerformanceRuns(display.optionsLocked);
    for (QPushButton* preset : c_.pre) preset->setEnabled(display.presetsEnabled);
    // Opening is locked with its button, whichever way it is asked for; so is
    // the choice of the output, which a running performance holds.
    for (const char* name : {"FileOpen1", "newDocument", "chooseOutput"})
        findChild<QAction*>(name)->setEnabled(display.openEnabled);
    findChild<QAction*>("saveDocument")->setEnabled(display.saveEnabled);
    findChild<QAction*>("saveDocumentAs")->setEnabled(display.saveAsEnabled);
    findChild<QMenu*>("recentMenu")->setEnabled(display.openEnabled);
    c_.outputButton->setEnabled(display.openEnabled);
    setAcceptingDrops(display.acceptDrops);
    setPanelColour(c_.Panel1, display.panelsLit);
    setPanelColour(c_.Panel2, display.panelsLit);
    // Until the first performance the transport has said nothing: resting.
    c_.statusTransport->setText(engineText(display.status.empty() ? kStatusResting : display.status));
    statusBar()->repaint();
    // The transport publishes while the window is built, before the roll's panel exists.
    if (rollPanel_) rollPanel_->transportChanged();
}

void TForm1::showOverrunMessage(const std::string& message) {
    prompts_->showInformation(engineText(message));
}

// Said once, whole, in a box; the technical reason stays in the status bar's tooltip.
void TForm1::reportOutputError() {
    const std::optional<std::string> error = performance_->output().newOpenError();
    if (!error) return;
    showNotice(tr("出力を開けません"));
    c_.statusNotice->setToolTip(technicalDetail(*error));
    prompts_->showWarning(tr("音を出せません。「設定」メニューの「出力…」で出力先かサウンドフォントを選んでください。"));
}

}  // namespace velmora
