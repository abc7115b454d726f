#include "ui/memo/memo_search.h"

#include <QInputDialog>
#include <QTextCursor>

#include "ui/memo/memo_edit.h"

namespace velmora {

MemoSearch::MemoSearch(MemoEdit& memo, Notice notice, QObject* parent)
    : QObject(parent), memo_(memo), notice_(std::move(notice)) {}

void MemoSearch::ask() {
    bool accepted = false;
    const QString text = QInputDialog::getText(memo_.window(), tr("検索"), tr("探す文字列:"),
                                               QLineEdit::Normal, searched_, &accepted);
    if (!accepted || text.isEmpty()) return;
    searched_ = text;
    findNext();
}

void MemoSearch::findNext() {
    if (searched_.isEmpty()) return;
    if (memo_.find(searched_)) return;
    QTextCursor start = memo_.textCursor();
    start.movePosition(QTextCursor::Start);
    memo_.setTextCursor(start);
    if (!memo_.find(searched_)) notice_(tr("「%1」は見つかりません").arg(searched_));
}

}  // namespace velmora
