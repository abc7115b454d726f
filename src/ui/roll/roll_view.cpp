#include "ui/roll/roll_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "roll/qt/roll_painter.h"

namespace velmora {

namespace {
constexpr double kSmallestRow = 2;
constexpr double kLargestRow = 12;
// While following, the playing step stays this far from the right edge.
constexpr double kFollowMargin = 0.25;
}  // namespace

RollView::RollView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("rollView");
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::PointingHandCursor);
    frameTimer_.setInterval(kFrameMs);
    connect(&frameTimer_, &QTimer::timeout, this, &RollView::nextFrame);
}

const RollModel& RollView::model() const { return recorder_ ? live_.model() : shown_; }

double RollView::rowHeightForView(int rows) const {
    const double room = viewport()->height() - RollLayout::kHeaderHeight;
    return std::clamp(room / std::max(1, rows), kSmallestRow, kLargestRow);
}

RollLayout RollView::layout() const {
    const RollModel& current = model();
    const int rows = RollLayout(current).rows();
    return RollLayout(current, RollLayout::kDefaultStepWidth, rowHeightForView(rows));
}

void RollView::showModel(RollModel model) {
    shown_ = std::move(model);
    if (!recorder_) {
        updateScrollRange();
        viewport()->update();
    }
}

void RollView::followLive(const LiveRollRecorder* recorder, std::int32_t meterKind, int nameBase) {
    recorder_ = recorder;
    if (!recorder) {
        frameTimer_.stop();
        updateScrollRange();
        viewport()->update();
        return;
    }
    live_ = LiveRoll();
    live_.reset(meterKind, nameBase);
    live_.skipTo(*recorder);
    lastSeen_ = recorder->written();
    horizontalScrollBar()->setValue(0);
    frameTimer_.start();
}

void RollView::nextFrame() {
    if (!recorder_) return;
    const std::int32_t stepBefore = live_.currentStep();
    live_.catchUp(*recorder_);
    // Nothing new: no repaint.
    if (recorder_->written() == lastSeen_ && live_.currentStep() == stepBefore) return;
    lastSeen_ = recorder_->written();
    updateScrollRange();
    const double cursorX = RollLayout::kAxisWidth + live_.currentStep() * RollLayout::kDefaultStepWidth;
    const int view = viewport()->width();
    QScrollBar* bar = horizontalScrollBar();
    if (cursorX - bar->value() > view * (1 - kFollowMargin) || cursorX < bar->value()) {
        bar->setValue(static_cast<int>(cursorX - view * kFollowMargin));
    }
    viewport()->update();
}

void RollView::updateScrollRange() {
    const double width = layout().width();
    QScrollBar* bar = horizontalScrollBar();
    bar->setPageStep(viewport()->width());
    bar->setSingleStep(static_cast<int>(RollLayout::kDefaultStepWidth * 4));
    bar->setRange(0, std::max(0, static_cast<int>(width) - viewport()->width()));
}

void RollView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    paintRoll(painter, layout(), horizontalScrollBar()->value(), viewport()->width(), cursorStep());
}

void RollView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF point = event->position();
    if (point.x() < RollLayout::kAxisWidth) return;
    const std::optional<std::int32_t> offset =
        layout().memoOffsetAt(point.x() + horizontalScrollBar()->value(), point.y());
    if (offset) emit characterClicked(*offset);
}

void RollView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

}  // namespace velmora
