#include "ui/commands/command_button.h"

#include <QAction>
#include <QPushButton>

namespace velmora {

void bindButton(QPushButton& button, QAction& action, ButtonShows shows) {
    const auto follow = [&button, &action, shows] {
        if (shows == ButtonShows::CaptionAndHint) {
            button.setText(action.iconText());
            button.setToolTip(action.toolTip());
        } else {
            button.setToolTip(action.text());
        }
        button.setEnabled(action.isEnabled());
        // Only a change: a button shown before its window would count as shown on purpose.
        if (button.isVisibleTo(button.parentWidget()) != action.isVisible())
            button.setVisible(action.isVisible());
    };
    follow();
    QObject::connect(&action, &QAction::changed, &button, follow);
    QObject::connect(&button, &QPushButton::clicked, &action, &QAction::trigger);
}

}  // namespace velmora
