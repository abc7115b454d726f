#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "roll/live_roll.h"
#include "roll/roll_layout.h"

namespace velmora {

// The piano roll under the memo. Outside a performance it shows a model it is
// given (the export's music for the current text); during one it follows a
// live record, drawing each note as it sounds and keeping a third of the view
// ahead of the playing step. It repaints on a frame timer of its own, never
// inside a tick. The rows fit the view's height down to a readable size and
// scroll vertically below it; the wheel scrolls (Shift+wheel: time) and
// Ctrl+wheel zooms time around the pointer. Hovering a note names it, its time
// and its character; a click on a note reports the engine offset of the
// character that made it.
class RollView final : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kFrameMs = 33;
    // Rows are never lower than this; when the music's range needs more room, it scrolls.
    static constexpr double kSmallestRow = 4;
    static constexpr double kSmallestStep = 1;
    static constexpr double kLargestStep = 64;

    explicit RollView(QWidget* parent = nullptr);

    void showModel(RollModel model);
    // Follows `recorder` from now on (nullptr: stop following and keep the picture).
    void followLive(const LiveRollRecorder* recorder, std::int32_t meterKind, int nameBase);
    bool following() const { return recorder_ != nullptr; }
    // The length of one step, for the times the view tells.
    void setStepMs(int stepMs) { stepMs_ = stepMs; }
    // Names the character that made a note (from its engine offset) in what the view tells.
    void setCharacterNamer(std::function<QString(std::int32_t memoOffset)> namer) { characterNamer_ = std::move(namer); }
    // The engine offset of the character under the memo's caret (-1: none); its notes are told to screen readers.
    void setCaretOffset(std::int32_t memoOffset);

    const RollModel& model() const;
    // The layout of the roll as drawn now (its row height fits the view's height where it can).
    RollLayout layout() const;
    double stepWidth() const { return stepWidth_; }
    // The step marked as playing; -1 outside a performance.
    std::int32_t cursorStep() const { return recorder_ ? live_.currentStep() : -1; }

    // What the pointer at a point of the viewport shows: the note (name, time,
    // character) or the row's pitch on the axis; empty elsewhere.
    QString hoverText(QPointF viewportPoint) const;
    // The roll's text for screen readers: the sounding note and bar during a
    // performance, the notes of the caret's character otherwise.
    QString spokenText() const;

    QSize sizeHint() const override { return {600, 150}; }
    QSize minimumSizeHint() const override { return {100, 60}; }

signals:
    void characterClicked(std::int32_t memoOffset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void nextFrame();
    void updateScrollRange();
    double aheadOfPlayhead() const;
    void keepPlayheadInView();
    void keepPitchInView(int pitch);
    void zoomAround(double viewportX, double factor);
    double rowHeightForView(int rows) const;
    int labelPixels() const;
    QString noteText(const RollLayout& layout, const RollNote& note) const;
    QString timeText(std::int32_t step) const;
    void announce();
    void nameForAccessibility();

    RollModel shown_;
    LiveRoll live_;
    const LiveRollRecorder* recorder_ = nullptr;
    std::uint64_t lastSeen_ = 0;
    QTimer frameTimer_;
    double stepWidth_ = RollLayout::kDefaultStepWidth;
    int stepMs_ = 0;
    std::int32_t caretOffset_ = -1;
    std::function<QString(std::int32_t)> characterNamer_;
    QString spoken_;
};

}  // namespace velmora
