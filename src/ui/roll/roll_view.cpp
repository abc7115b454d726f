#include "ui/roll/roll_view.h"

#include <QEvent>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "roll/qt/roll_painter.h"
#include "ui/roll/roll_view_accessible.h"

namespace velmora {

namespace {
// While following, this share of the notes' width stays ahead of the playing step.
constexpr double kAheadShare = 1.0 / 3;
constexpr double kZoomPerNotch = 1.25;
constexpr double kNotch = 120;        // the angle delta of one wheel notch
constexpr double kRowsPerNotch = 3;   // as text views scroll lines
constexpr double kStepsPerNotch = 8;  // a bar of the common metre
}  // namespace

RollView::RollView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("rollView");
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::PointingHandCursor);
    viewport()->setMouseTracking(true);
    installRollViewAccessibility();
    nameForAccessibility();
    frameTimer_.setInterval(kFrameMs);
    connect(&frameTimer_, &QTimer::timeout, this, &RollView::nextFrame);
}

const RollModel& RollView::model() const { return recorder_ ? live_.model() : shown_; }

int RollView::labelPixels() const { return std::max(8, QFontInfo(font()).pixelSize()); }

double RollView::rowHeightForView(int rows) const {
    const double room = viewport()->height() - RollLayout::kHeaderHeight;
    // Rows grow until every row's name fits beside it.
    const double largest = std::max(12.0, labelPixels() * 1.2);
    return std::clamp(room / std::max(1, rows), kSmallestRow, largest);
}

RollLayout RollView::layout() const {
    const RollModel& current = model();
    const int rows = RollLayout(current).rows();
    return RollLayout(current, stepWidth_, rowHeightForView(rows));
}

void RollView::showModel(RollModel model) {
    const bool sameRange = model.lowestPitch == shown_.lowestPitch && model.highestPitch == shown_.highestPitch;
    shown_ = std::move(model);
    if (recorder_) return;
    updateScrollRange();
    if (!sameRange) verticalScrollBar()->setValue(verticalScrollBar()->maximum() / 2);
    viewport()->update();
    announce();
}

void RollView::followLive(const LiveRollRecorder* recorder, std::int32_t meterKind, int nameBase) {
    recorder_ = recorder;
    if (!recorder) {
        frameTimer_.stop();
        updateScrollRange();
        viewport()->update();
        announce();
        return;
    }
    live_ = LiveRoll();
    live_.reset(meterKind, nameBase);
    live_.skipTo(*recorder);
    lastSeen_ = recorder->written();
    horizontalScrollBar()->setValue(0);
    frameTimer_.start();
    announce();
}

void RollView::setCaretOffset(std::int32_t memoOffset) {
    caretOffset_ = memoOffset;
    announce();
}

void RollView::nextFrame() {
    if (!recorder_) return;
    const std::int32_t stepBefore = live_.currentStep();
    live_.catchUp(*recorder_);
    // Nothing new: no repaint.
    if (recorder_->written() == lastSeen_ && live_.currentStep() == stepBefore) return;
    lastSeen_ = recorder_->written();
    updateScrollRange();
    keepPlayheadInView();
    const auto& notes = live_.model().notes;
    const auto newestMelody = std::find_if(notes.rbegin(), notes.rend(),
                                           [](const RollNote& note) { return note.voice == RollVoice::Melody; });
    if (newestMelody != notes.rend()) keepPitchInView(newestMelody->pitch);
    viewport()->update();
    announce();
}

double RollView::aheadOfPlayhead() const { return (viewport()->width() - RollLayout::kAxisWidth) * kAheadShare; }

void RollView::keepPlayheadInView() {
    const double cursorX = layout().stepX(live_.currentStep());
    QScrollBar* bar = horizontalScrollBar();
    const double ahead = bar->value() + viewport()->width() - cursorX;
    if (ahead < aheadOfPlayhead() || cursorX < bar->value() + RollLayout::kAxisWidth) {
        bar->setValue(static_cast<int>(std::lround(cursorX + aheadOfPlayhead() - viewport()->width())));
    }
}

void RollView::keepPitchInView(int pitch) {
    const RollLayout current = layout();
    const double top = current.pitchY(pitch);
    QScrollBar* bar = verticalScrollBar();
    const double shown = viewport()->height() - RollLayout::kHeaderHeight;
    if (top < bar->value() + RollLayout::kHeaderHeight) {
        bar->setValue(static_cast<int>(std::floor(top - RollLayout::kHeaderHeight)));
    } else if (top + current.rowHeight() > bar->value() + RollLayout::kHeaderHeight + shown) {
        bar->setValue(static_cast<int>(std::ceil(top + current.rowHeight() - RollLayout::kHeaderHeight - shown)));
    }
}

void RollView::updateScrollRange() {
    const RollLayout current = layout();
    double width = current.width();
    // While following, the music ends at the playing step: leave room for the part of the view ahead of it.
    if (recorder_) width = std::max(width, current.stepX(live_.currentStep()) + aheadOfPlayhead() + 1);
    QScrollBar* across = horizontalScrollBar();
    across->setPageStep(viewport()->width());
    across->setSingleStep(std::max(1, static_cast<int>(stepWidth_ * 4)));
    across->setRange(0, std::max(0, static_cast<int>(std::ceil(width)) - viewport()->width()));
    QScrollBar* down = verticalScrollBar();
    down->setPageStep(viewport()->height());
    down->setSingleStep(std::max(1, static_cast<int>(current.rowHeight())));
    down->setRange(0, std::max(0, static_cast<int>(std::ceil(current.height())) - viewport()->height()));
}

void RollView::zoomAround(double viewportX, double factor) {
    const double x = std::max(viewportX, RollLayout::kAxisWidth);
    QScrollBar* bar = horizontalScrollBar();
    const double step = (x + bar->value() - RollLayout::kAxisWidth) / stepWidth_;  // the time under the pointer
    const double zoomed = std::clamp(stepWidth_ * factor, kSmallestStep, kLargestStep);
    if (zoomed == stepWidth_) return;
    stepWidth_ = zoomed;
    updateScrollRange();
    bar->setValue(static_cast<int>(std::lround(RollLayout::kAxisWidth + step * stepWidth_ - x)));
    viewport()->update();
}

void RollView::wheelEvent(QWheelEvent* event) {
    event->accept();
    const QPoint angle = event->angleDelta();
    const QPoint pixels = event->pixelDelta();
    const double notches = (angle.y() != 0 ? angle.y() : angle.x()) / kNotch;
    if (event->modifiers() & Qt::ControlModifier) {
        if (notches != 0) zoomAround(event->position().x(), std::pow(kZoomPerNotch, notches));
        return;
    }
    // Shift turns the wheel sideways, as in other programs; so does a roll that needs no vertical scrolling.
    const bool sideways = (angle.x() != 0 && angle.y() == 0) || (event->modifiers() & Qt::ShiftModifier) ||
                          verticalScrollBar()->maximum() == 0;
    QScrollBar* bar = sideways ? horizontalScrollBar() : verticalScrollBar();
    double distance = sideways ? notches * kStepsPerNotch * stepWidth_ : notches * kRowsPerNotch * layout().rowHeight();
    if (!pixels.isNull()) distance = pixels.y() != 0 ? pixels.y() : pixels.x();
    bar->setValue(bar->value() - static_cast<int>(std::lround(distance)));
}

void RollView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    paintRollView(painter, layout(), scroll, viewport()->size(), cursorStep(), labelPixels());
}

void RollView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF point = event->position();
    if (point.x() < RollLayout::kAxisWidth || point.y() < RollLayout::kHeaderHeight) return;
    const std::optional<std::int32_t> offset = layout().memoOffsetAt(point.x() + horizontalScrollBar()->value(),
                                                                     point.y() + verticalScrollBar()->value());
    if (offset) emit characterClicked(*offset);
}

void RollView::mouseMoveEvent(QMouseEvent* event) {
    const QString text = hoverText(event->position());
    viewport()->setToolTip(text);
    // A tip already shown follows the pointer from note to note.
    if (QToolTip::isVisible()) {
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(event->globalPosition().toPoint(), text, viewport());
        }
    }
}

void RollView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void RollView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateScrollRange();
        viewport()->update();
    } else if (event->type() == QEvent::LanguageChange) {
        nameForAccessibility();
    }
}

}  // namespace velmora
