#include "ui/memo/memo_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QUrl>

#include "ui/memo/line_fit.h"

namespace velmora {

namespace {
constexpr int kLongLayoutCharacters = 1'000'000;
}  // namespace

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent), loader_(new MemoLoader(*this)) {
    setObjectName("memo");
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);  // Tab moves on to the next control, as in the other fields
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setMouseTracking(true);
    // The highlight that follows the music must stay visible while another
    // control has the focus.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
}

std::vector<DisplayedLine> MemoEdit::displayedLines(int lastCharacter) const {
    std::vector<DisplayedLine> lines;
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const LineFit fit(document()->defaultFont(), lineWidth());
    const QTextBlock end = lastCharacter < 0 ? QTextBlock() : document()->findBlock(lastCharacter).next();
    for (QTextBlock block = document()->begin(); block.isValid() && block != end; block = block.next()) {
        const QString text = block.text();
        const QTextLayout* blockLayout = block.layout();
        const bool laidOut = blockLayout != nullptr && blockLayout->lineCount() > 0;
        if (!laidOut && fit.surelyFits(text)) {
            lines.push_back({text.toStdString(), true});
            continue;
        }
        layout->blockBoundingRect(block);  // lays the block out if it was not yet
        const int count = blockLayout != nullptr ? blockLayout->lineCount() : 0;
        if (count <= 1) {
            lines.push_back({text.toStdString(), true});
            continue;
        }
        for (int i = 0; i < count; ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            lines.push_back({text.mid(line.textStart(), line.textLength()).toStdString(), i == count - 1});
        }
    }
    return lines;
}

qreal MemoEdit::lineWidth() const {
    // The width the layout gives every line, read from the first paragraph's.
    const QTextBlock first = document()->begin();
    document()->documentLayout()->blockBoundingRect(first);
    const QTextLayout* layout = first.layout();
    return layout != nullptr && layout->lineCount() > 0 ? layout->lineAt(0).width() : 0;
}

MemoGeometry MemoEdit::geometry() {
    loader_->finish();
    // Laying out every line of a text of megabytes takes seconds the first time.
    const bool slow = document()->characterCount() > kLongLayoutCharacters;
    if (slow) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    MemoGeometry whole(displayedLines());
    if (slow) QGuiApplication::restoreOverrideCursor();
    return whole;
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
    const bool edits = !event->text().isEmpty() || event->key() == Qt::Key_Backspace ||
                       event->key() == Qt::Key_Delete || event->matches(QKeySequence::Paste) ||
                       event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo);
    if (edits && loader_->loading()) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        loader_->finish();
        QGuiApplication::restoreOverrideCursor();
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (loader_->loading()) loader_->finish();
    QPlainTextEdit::inputMethodEvent(event);
}

QString MemoEdit::wholeText() {
    loader_->finish();
    return toPlainText();
}

int MemoEdit::visibleLineCount() const {
    const int lineHeight = fontMetrics().height();
    return lineHeight > 0 ? viewport()->height() / lineHeight : 0;
}

void MemoEdit::selectAt(int documentPosition, int length) {
    QScrollBar* bar = verticalScrollBar();
    const int scrolledTo = bar->value();
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(documentPosition, 0, document()->characterCount() - 1));
    if (length > 0) cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    bar->setValue(scrolledTo);
}

void MemoEdit::highlightAt(int documentPosition) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(document());
    mark.cursor.setPosition(std::clamp(documentPosition, 0, document()->characterCount() - 1));
    mark.cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    mark.format.setBackground(palette().color(QPalette::Active, QPalette::Highlight));
    mark.format.setForeground(palette().color(QPalette::Active, QPalette::HighlightedText));
    setExtraSelections({mark});
    scrollIntoView(mark.cursor);
}

void MemoEdit::clearHighlight() { setExtraSelections({}); }

QString MemoEdit::highlightedText() const {
    const QList<QTextEdit::ExtraSelection> marks = extraSelections();
    return marks.isEmpty() ? QString() : marks.first().cursor.selectedText();
}

void MemoEdit::scrollIntoView(const QTextCursor& at) {
    const QRect shown = cursorRect(at);
    if (shown.top() >= 0 && shown.bottom() <= viewport()->height()) return;
    // The view follows a cursor placed there for a moment; the user's caret
    // and selection come back unchanged.
    const QTextCursor users = textCursor();
    QTextCursor place(document());
    place.setPosition(at.anchor());
    setTextCursor(place);
    ensureCursorVisible();
    const int scrolledTo = verticalScrollBar()->value();
    setTextCursor(users);
    verticalScrollBar()->setValue(scrolledTo);
}

void MemoEdit::scrollDownOneLine() {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

void MemoEdit::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    emit pointerMoved(event->position().toPoint());
}

void MemoEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        QPlainTextEdit::dragEnterEvent(event);
        return;
    }
    if (fileDropsAccepted_ && !droppedFiles(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MemoEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        QPlainTextEdit::dragMoveEvent(event);
        return;
    }
    if (fileDropsAccepted_)
        event->acceptProposedAction();
    else
        event->ignore();
}

void MemoEdit::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    const QStringList files = droppedFiles(*event->mimeData());
    if (!fileDropsAccepted_ || files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(files);
}

QStringList droppedFiles(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}

}  // namespace velmora
