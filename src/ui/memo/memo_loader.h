#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace velmora {

// Puts a newly opened text into the memo. A long text is shown at once from
// its first lines and the rest is appended in slices between events, so that
// the window answers while a text of megabytes fills the document (building
// its paragraphs takes about a second for 20 MB). Until the whole text is in,
// the memo is read-only; anything that reads the whole text calls finish()
// first. A text put into the memo by other means drops what was still to come.
class MemoLoader final : public QObject {
    Q_OBJECT

public:
    // The first slice, shown at once; the later slices adapt their size so
    // that each takes a few milliseconds (a paragraph costs more the larger
    // the document grows).
    static constexpr qsizetype kFirstSliceCharacters = 50000;
    static constexpr qint64 kSliceBudgetNs = 5'000'000;

    explicit MemoLoader(QPlainTextEdit& memo);

    // Shows the first slice of `text` now. `text` ends with a line break or is empty.
    void load(QString text);
    // Appends all that is still to come, now.
    void finish();
    bool loading() const { return !rest_.isEmpty(); }

private:
    void appendSlice(qsizetype maximum);
    void endLoading();

    QPlainTextEdit& memo_;
    QString rest_;
    qsizetype restStart_ = 0;
    qsizetype sliceCharacters_ = kFirstSliceCharacters;
    int expectedRevision_ = -1;  // the document's revision after our last append
    bool wasReadOnly_ = false;
    QTimer sliceTimer_;
};

}  // namespace velmora
