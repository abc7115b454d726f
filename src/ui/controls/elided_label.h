#pragma once

#include <QLabel>

namespace velmora {

// A one-line label that never widens its window: a text longer than the room
// it has is drawn cut at the end with "…", so that the user sees it is not
// whole (the full text stays the label's text, for its tooltip and readers).
class ElidedLabel final : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    // The text as drawn at the label's present width.
    QString shownText() const;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora
