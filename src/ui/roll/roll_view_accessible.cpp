#include "ui/roll/roll_view_accessible.h"

#include <QAccessibleWidget>

#include "ui/roll/roll_view.h"

namespace velmora {

namespace {

// The spoken text is both the accessible value and a read-only text, which
// is what AT-SPI hands screen readers.
class RollViewAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit RollViewAccessible(RollView* view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return spoken();
        return QAccessibleWidget::text(kind);
    }

    QString text(int startOffset, int endOffset) const override {
        return spoken().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(spoken().size()); }
    // Nothing to select, no caret, no place on the screen for a character.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString spoken() const { return static_cast<const RollView*>(widget())->spokenText(); }
};

QAccessibleInterface* rollViewAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(RollView::staticMetaObject.className())) return nullptr;
    return new RollViewAccessible(static_cast<RollView*>(object));
}

}  // namespace

void installRollViewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(rollViewAccessible);
        return true;
    }();
    (void)installed;
}

}  // namespace velmora
