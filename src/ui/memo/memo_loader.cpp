#include "ui/memo/memo_loader.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace velmora {

namespace {
// The end of the last whole line within `maximum` characters from `start`
// (past its line break), or the end of a longer first line.
qsizetype sliceEnd(const QString& text, qsizetype start, qsizetype maximum) {
    if (text.size() - start <= maximum) return text.size();
    const qsizetype lastBreak = text.lastIndexOf(u'\n', start + maximum - 1);
    if (lastBreak >= start) return lastBreak + 1;
    const qsizetype nextBreak = text.indexOf(u'\n', start + maximum);
    return nextBreak < 0 ? text.size() : nextBreak + 1;
}
}  // namespace

MemoLoader::MemoLoader(QPlainTextEdit& memo) : QObject(&memo), memo_(memo) {
    sliceTimer_.setInterval(0);
    connect(&sliceTimer_, &QTimer::timeout, this, [this] {
        QElapsedTimer clock;
        clock.start();
        appendSlice(sliceCharacters_);
        const qint64 spent = clock.nsecsElapsed();
        if (spent > kSliceBudgetNs) sliceCharacters_ = std::max<qsizetype>(sliceCharacters_ / 2, 4096);
        else if (spent < kSliceBudgetNs / 2) sliceCharacters_ = std::min<qsizetype>(sliceCharacters_ * 2, 1 << 20);
    });
}

void MemoLoader::load(QString text) {
    if (loading()) endLoading();
    const qsizetype firstEnd = sliceEnd(text, 0, kFirstSliceCharacters);
    memo_.setPlainText(firstEnd == text.size() ? text : text.left(firstEnd));
    if (firstEnd == text.size()) return;
    rest_ = std::move(text);
    restStart_ = firstEnd;
    sliceCharacters_ = kFirstSliceCharacters;
    wasReadOnly_ = memo_.isReadOnly();
    memo_.setReadOnly(true);
    memo_.document()->setUndoRedoEnabled(false);
    expectedRevision_ = memo_.document()->revision();
    sliceTimer_.start();
}

void MemoLoader::finish() {
    if (loading()) appendSlice(rest_.size());
}

void MemoLoader::appendSlice(qsizetype maximum) {
    QTextDocument& document = *memo_.document();
    if (document.revision() != expectedRevision_) {
        endLoading();  // another text replaced the one being loaded
        return;
    }
    const qsizetype end = sliceEnd(rest_, restStart_, maximum);
    const bool modified = document.isModified();
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringView(rest_).sliced(restStart_, end - restStart_).toString());
    document.setModified(modified);  // loading is not editing
    restStart_ = end;
    expectedRevision_ = document.revision();
    if (restStart_ == rest_.size()) endLoading();
}

void MemoLoader::endLoading() {
    sliceTimer_.stop();
    rest_.clear();
    restStart_ = 0;
    memo_.document()->setUndoRedoEnabled(true);
    memo_.setReadOnly(wasReadOnly_);
}

}  // namespace velmora
