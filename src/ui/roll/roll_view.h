#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <memory>
#include <optional>

#include "roll/live_roll.h"
#include "roll/roll_layout.h"

namespace velmora {

// The piano roll under the memo. Outside a performance it shows a model it is
// given (the export's music for the current text); during one it follows a
// live record, drawing each note as it sounds and keeping the playing step in
// view. It repaints on a frame timer of its own, never inside a tick. A click
// on a note reports the engine offset of the character that made it.
class RollView final : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kFrameMs = 33;

    explicit RollView(QWidget* parent = nullptr);

    void showModel(RollModel model);
    // Follows `recorder` from now on (nullptr: stop following and keep the picture).
    void followLive(const LiveRollRecorder* recorder, std::int32_t meterKind, int nameBase);
    bool following() const { return recorder_ != nullptr; }

    const RollModel& model() const;
    // The layout of the roll as drawn now (its row height fits the view's height).
    RollLayout layout() const;
    // The step marked as playing; -1 outside a performance.
    std::int32_t cursorStep() const { return recorder_ ? live_.currentStep() : -1; }

    QSize sizeHint() const override { return {600, 150}; }
    QSize minimumSizeHint() const override { return {100, 60}; }

signals:
    void characterClicked(std::int32_t memoOffset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void nextFrame();
    void updateScrollRange();
    double rowHeightForView(int rows) const;

    RollModel shown_;
    LiveRoll live_;
    const LiveRollRecorder* recorder_ = nullptr;
    std::uint64_t lastSeen_ = 0;
    QTimer frameTimer_;
};

}  // namespace velmora
