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
    refreshTimer_.setInterval(kRefreshMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &RollPanel::refresh);
    refreshTimer_.start();
}

bool RollPanel::performing() const { return performance_.performing(); }

void RollPanel::beginFollowing() {
    typing_.suspend();  // the performance takes the output
    const PerformanceOptions& options = performance_.options();
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
    const MemoGeometry geometry = memo_.geometryUpTo(kPreviewCharacters);
    const bool cut = memo_.document()->characterCount() - 1 > kPreviewCharacters;
    view_.setToolTip(cut ? tr("長いテキストのため、最初の %1 文字ほどの音楽を表示しています").arg(kPreviewCharacters)
                         : QString());
    if (geometry.playLines().empty()) {
        view_.showModel(RollModel{});
        return;
    }
    SeededRandom rng(kRollSeed);
    view_.showModel(buildExportRoll(exportRequestFor(geometry, options, performance_.state()), rng));
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
