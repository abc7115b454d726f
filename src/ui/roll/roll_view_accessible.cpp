#include "ui/roll/roll_view_accessible.h"

#include <QAccessibleWidget>

#include "ui/roll/roll_view.h"

namespace velmora {

namespace {

class RollViewAccessible final : public QAccessibleWidget {
public:
    explicit RollViewAccessible(RollView* view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return static_cast<const RollView*>(widget())->spokenText();
        return QAccessibleWidget::text(kind);
    }
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
