#pragma once

#include <span>

#include "options/option_table.h"

namespace velmora {

// How an option shows in the main window.
enum class ControlKind {
    CheckBox,
    NumberField,
    InstrumentCombo,  // the General MIDI names
    RhythmCombo,      // the rhythm items
    PatternGroup,     // a group box of radio buttons "1".."12"
};

// The window's side of the option table: the control of each option. Texts
// are the window's source texts; those marked for translation are translated
// in the context kOptionTextContext when the control is made.
struct OptionPresentation {
    OptionId id{};
    ControlKind kind = ControlKind::CheckBox;
    const char* caption = nullptr;    // a check box's text or the group's title; else the label before it
    const char* hint = nullptr;       // the control's tooltip
    const char* labelHint = nullptr;  // the label's tooltip
    int step = 1;                     // a spin edit's step
    bool startsDisabled = false;      // disabled until the switch it is used with turns on
};

inline constexpr const char* kOptionTextContext = "velmora::MainWindow";

// Every option's control, in OptionId order.
std::span<const OptionPresentation> optionPresentations();
const OptionPresentation& optionPresentation(OptionId id);

}  // namespace velmora
