#pragma once

class QAction;
class QPushButton;

namespace velmora {

// What a button takes from its action besides its enabling and visibility.
enum class ButtonShows {
    CaptionAndHint,  // the action's icon text as its caption, its tooltip as hint
    TextAsHint,      // a caption of its own; the action's text as hint (a preset's instrument, or none)
};

// Makes `button` show and run `action`, as QToolButton::setDefaultAction does
// for tool buttons: a click triggers the action, and the button follows the
// action's changes.
void bindButton(QPushButton& button, QAction& action, ButtonShows shows = ButtonShows::CaptionAndHint);

}  // namespace velmora
