#include "ui/roll/roll_panel.h"

#include <QTextBlock>

#include "mapping/note_names.h"
#include "roll/export_roll.h"
#include "ui/memo/memo_edit.h"
#include "ui/export/music_export.h"
#include "ui/performance/performance.h"

namespace velmora {

namespace {
// The roll of a text with randomly chosen letters is drawn from one fixed draw,
// so that it does not change with every refresh.
constexpr std::uint64_t kRollSeed = 1;
}  // namespace

RollPanel::RollPanel(MemoEdit& memo, RollView& view, Performance& performance, QObject* parent)
    : QObject(parent),
      memo_(memo),
      view_(view),
      performance_(performance),
      typing_(memo, performance.options(), performance.output().port(), performance.random(),
              [this] { return performing(); }) {
    connect(&view_, &RollView::characterClicked, this, &RollPanel::moveCaretTo);
    connect(&memo_, &QPlainTextEdit::cursorPositionChanged, this, &RollPanel::caretMoved);
    view_.setCharacterNamer([this](std::int32_t memoOffset) { return characterAt(memoOffset); });
    refreshTimer_.setInterval(kRefreshMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &RollPanel::refresh);
    refreshTimer_.start();
}

bool RollPanel::performing() const { return performance_.performing(); }

void RollPanel::beginFollowing() {
    typing_.suspend();  // the performance takes the output
    const PerformanceOptions& options = performance_.options();
    view_.setStepMs(options.timerInterval());
    view_.followLive(&performance_.output().rollRecorder(), options.grid.meterKind, options.noteNameBase());
}

void RollPanel::endFollowing() {
    if (!view_.following()) return;
    view_.followLive(nullptr, 0, 0);
    builtRevision_ = -1;
    refresh();
}

void RollPanel::transportChanged() {
    if (!starting_ && !performing()) endFollowing();
}

void RollPanel::refresh() {
    if (performing() || view_.following() || !view_.isVisible() || memo_.loader().loading()) return;
    const PerformanceOptions& options = performance_.options();
    const int revision = memo_.document()->revision();
    const int width = memo_.viewport()->width();  // wrapping moves the characters' offsets
    if (revision == builtRevision_ && width == builtWidth_ && options == builtOptions_) return;
    builtRevision_ = revision;
    builtWidth_ = width;
    builtOptions_ = options;
    view_.setStepMs(options.timerInterval());
    const MemoGeometry geometry = memo_.geometryUpTo(kPreviewCharacters);
    const bool cut = memo_.document()->characterCount() - 1 > kPreviewCharacters;
    view_.setToolTip(cut ? tr("長いテキストのため、最初の %1 文字ほどの音楽を表示しています").arg(kPreviewCharacters)
                         : QString());
    if (geometry.playLines().empty()) {
        view_.showModel(RollModel{});
    } else {
        SeededRandom rng(kRollSeed);
        view_.showModel(buildExportRoll(exportRequestFor(geometry, options, performance_.state()), rng));
    }
    caretMoved();  // the caret's character may now make other notes
}

void RollPanel::caretMoved() {
    // During a performance the roll tells the sounding note; the caret follows the ticks and is left alone here.
    if (performing()) return;
    const int position = memo_.textCursor().position();
    // The roll holds the notes of the first characters only.
    if (position > kPreviewCharacters || memo_.loader().loading()) {
        view_.setCaretOffset(-1);
        return;
    }
    view_.setCaretOffset(memo_.geometryUpTo(position).byteOffset(position));
}

QString RollPanel::characterAt(std::int32_t memoOffset) const {
    const int position = memo_.geometryUpTo(memoOffset).documentPosition(memoOffset);
    const QChar character = memo_.document()->characterAt(position);
    return character.isPrint() ? QString(character) : QString();
}

void RollPanel::moveCaretTo(std::int32_t memoOffset) {
    QTextCursor cursor = memo_.textCursor();
    // A character comes from at least one byte: its paragraph is among those up to position memoOffset.
    cursor.setPosition(memo_.geometryUpTo(memoOffset).documentPosition(memoOffset));
    memo_.setTextCursor(cursor);
    memo_.ensureCursorVisible();
    memo_.setFocus();
}

}  // namespace velmora
