// The Edit menu: the memo's own editing commands under the keys every desktop
// editor uses, and a search of the text.
#include <QInputDialog>
#include <QMenuBar>
#include <QTextDocument>

#include "ui/main_window.h"
#include "ui/memo_edit.h"

namespace velmora {

void TForm1::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(tr("編集(&E)"));
    MemoEdit* memo = c_.Memo1;
    QAction* undo = addCommand(edit, "undo", tr("元に戻す(&U)"), QKeySequence::Undo);
    connect(undo, &QAction::triggered, memo, &QPlainTextEdit::undo);
    connect(memo, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    undo->setEnabled(false);
    QAction* redo = addCommand(edit, "redo", tr("やり直し(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, memo, &QPlainTextEdit::redo);
    connect(memo, &QPlainTextEdit::redoAvailable, redo, &QAction::setEnabled);
    redo->setEnabled(false);
    edit->addSeparator();
    connect(addCommand(edit, "cut", tr("切り取り(&T)"), QKeySequence::Cut), &QAction::triggered, memo,
            &QPlainTextEdit::cut);
    connect(addCommand(edit, "copy", tr("コピー(&C)"), QKeySequence::Copy), &QAction::triggered, memo,
            &QPlainTextEdit::copy);
    connect(addCommand(edit, "paste", tr("貼り付け(&P)"), QKeySequence::Paste), &QAction::triggered, memo,
            &QPlainTextEdit::paste);
    connect(addCommand(edit, "selectAll", tr("すべて選択(&A)"), QKeySequence::SelectAll), &QAction::triggered, memo,
            &QPlainTextEdit::selectAll);
    edit->addSeparator();
    connect(addCommand(edit, "find", tr("検索(&F)..."), QKeySequence::Find), &QAction::triggered, this, [this] {
        bool accepted = false;
        const QString text = QInputDialog::getText(this, tr("検索"), tr("探す文字列:"), QLineEdit::Normal,
                                                   searchText_, &accepted);
        if (!accepted || text.isEmpty()) return;
        searchText_ = text;
        findNext();
    });
    connect(addCommand(edit, "findNext", tr("次を検索(&N)"), QKeySequence::FindNext), &QAction::triggered, this,
            &TForm1::findNext);
}

void TForm1::findNext() {
    if (searchText_.isEmpty()) return;
    MemoEdit* memo = c_.Memo1;
    // From the caret to the end, then once more from the start.
    if (memo->find(searchText_)) return;
    QTextCursor start = memo->textCursor();
    start.movePosition(QTextCursor::Start);
    memo->setTextCursor(start);
    if (!memo->find(searchText_)) showNotice(tr("「%1」は見つかりません").arg(searchText_));
}

}  // namespace velmora
