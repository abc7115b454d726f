#include "ui/controls/elided_label.h"

#include <QPainter>
#include <algorithm>
#include <QStyle>

namespace velmora {

QString ElidedLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize ElidedLabel::minimumSizeHint() const {
    // Room for a few characters and the mark of the cut; the rest stretches.
    QSize hint = QLabel::minimumSizeHint();
    hint.setWidth(std::min(hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("MMMM…"))));
    return hint;
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                          shownText(), foregroundRole());
}

}  // namespace velmora
