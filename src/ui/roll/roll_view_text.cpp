// What the roll tells in words: the hover tips and the text for screen readers.
#include <QAccessible>
#include <QScrollBar>
#include <QStringList>
#include <cmath>

#include "ui/roll/roll_view.h"

namespace velmora {

namespace {

QString labelOf(const RollLayout& layout, int pitch) { return QString::fromStdString(layout.pitchLabel(pitch)); }

}  // namespace

void RollView::nameForAccessibility() {
    setAccessibleName(tr("ピアノロール"));
    setAccessibleDescription(tr("テキストの音楽を、横に時間、縦に音の高さで表示します。"
                                "演奏中は鳴っている音と小節を、それ以外はカーソルの文字の音を伝えます。"));
}

QString RollView::timeText(std::int32_t step) const {
    QStringList parts;
    const std::int32_t perBar = model().stepsPerBar;
    // Two steps make a quarter note.
    if (perBar > 0) parts << tr("%1小節 %2拍").arg(step / perBar + 1).arg(step % perBar / 2 + 1);
    if (stepMs_ > 0) {
        const long long tenths = std::llround(static_cast<double>(step) * stepMs_ / 100.0);
        parts << QStringLiteral("%1:%2.%3")
                     .arg(tenths / 600)
                     .arg(tenths % 600 / 10, 2, 10, QLatin1Char('0'))
                     .arg(tenths % 10);
    }
    return parts.join(QStringLiteral(" · "));
}

QString RollView::noteText(const RollLayout& layout, const RollNote& note) const {
    const QString name = labelOf(layout, note.pitch);
    QStringList lines{note.voice == RollVoice::Melody ? tr("%1（旋律）").arg(name) : tr("%1（和音）").arg(name)};
    const QString time = timeText(note.startStep);
    if (!time.isEmpty()) lines << time;
    if (note.memoOffset >= 0 && characterNamer_) {
        const QString character = characterNamer_(note.memoOffset);
        if (!character.isEmpty()) lines << tr("文字「%1」").arg(character);
    }
    return lines.join(QLatin1Char('\n'));
}

QString RollView::hoverText(QPointF viewportPoint) const {
    if (viewportPoint.y() < RollLayout::kHeaderHeight) return {};
    const RollLayout current = layout();
    const double y = viewportPoint.y() + verticalScrollBar()->value();
    if (viewportPoint.x() < RollLayout::kAxisWidth) {
        const std::optional<int> pitch = current.pitchAt(y);
        return pitch ? labelOf(current, *pitch) : QString();
    }
    const std::optional<std::size_t> index = current.noteAt(viewportPoint.x() + horizontalScrollBar()->value(), y);
    return index ? noteText(current, model().notes[*index]) : QString();
}

QString RollView::spokenText() const {
    const RollModel& shown = model();
    const RollLayout current(shown);
    if (recorder_) {
        const std::int32_t step = live_.currentStep();
        const RollNote* sounding = nullptr;
        for (auto note = shown.notes.rbegin(); note != shown.notes.rend(); ++note) {
            if (note->startStep + shown.longestNote < step) break;  // by start step: none further back sounds
            if (note->voice == RollVoice::Melody && note->startStep <= step && note->endStep() >= step) {
                sounding = &*note;
                break;
            }
        }
        const QString what = sounding ? labelOf(current, sounding->pitch) : tr("休符");
        if (shown.stepsPerBar <= 0) return tr("演奏中: %1").arg(what);
        return tr("演奏中 %1小節: %2").arg(step / shown.stepsPerBar + 1).arg(what);
    }
    QStringList names;
    if (caretOffset_ >= 0) {
        for (const RollVoice voice : {RollVoice::Melody, RollVoice::Chord}) {
            for (const RollNote& note : shown.notes) {
                if (note.memoOffset == caretOffset_ && note.voice == voice) names << labelOf(current, note.pitch);
            }
        }
    }
    if (names.isEmpty()) return tr("カーソルの文字の音はありません");
    return tr("カーソルの文字の音: %1").arg(names.join(QStringLiteral(", ")));
}

void RollView::announce() {
    QString text = spokenText();
    if (text == spoken_) return;
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, 0, spoken_, text);
        QAccessible::updateAccessibility(&event);
    }
    spoken_ = std::move(text);
}

}  // namespace velmora
