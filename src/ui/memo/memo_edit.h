#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <vector>

#include "ui/memo/memo_geometry.h"
#include "ui/memo/memo_loader.h"

namespace velmora {

// The text memo: wraps at its width, keeps its selection visible without the
// focus, reports pointer movement and hands dropped files to the window
// instead of inserting their names.
class MemoEdit final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MemoEdit(QWidget* parent = nullptr);

    // The lines as displayed now, each wrapped piece a line of its own: of the
    // whole text, or of its leading paragraphs up to the one that holds
    // character `lastCharacter` (laying out a long text's lines takes seconds).
    std::vector<DisplayedLine> displayedLines(int lastCharacter = -1) const;
    // The whole text's geometry; a text still loading is completed first.
    MemoGeometry geometry();
    MemoGeometry geometryUpTo(int lastCharacter) const { return MemoGeometry(displayedLines(lastCharacter)); }

    // Shows a newly opened text (a long one fills in between events).
    void loadText(QString text) { loader_->load(std::move(text)); }
    // The whole text, as QPlainTextEdit::toPlainText, also while one is loading.
    QString wholeText();
    MemoLoader& loader() { return *loader_; }
    // How many text lines fit in the memo.
    int visibleLineCount() const;
    // Selects `length` characters (0 or 1) at a document position without
    // scrolling: the performance scrolls the memo itself.
    void selectAt(int documentPosition, int length);
    // Marks the sounding character without touching the caret or the user's
    // selection, so that typing never replaces it; scrolls it into view when
    // it is outside.
    void highlightAt(int documentPosition);
    void clearHighlight();
    // The marked character; empty when none is marked.
    QString highlightedText() const;
    void scrollDownOneLine();

    void setFileDropsAccepted(bool accepted) { fileDropsAccepted_ = accepted; }

signals:
    void pointerMoved(QPoint position);
    void filesDropped(const QStringList& paths);

protected:
    // Typing while a long text fills in completes it first, so that no key is lost.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void scrollIntoView(const QTextCursor& at);
    // The width a paragraph's lines are wrapped at.
    qreal lineWidth() const;

    bool fileDropsAccepted_ = true;
    MemoLoader* loader_;  // a child of the memo
};

// The local files among dropped URLs, in drop order.
QStringList droppedFiles(const QMimeData& data);

}  // namespace velmora
