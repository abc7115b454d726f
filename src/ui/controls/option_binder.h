#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <vector>

#include "options/option_table.h"
#include "options/performance_options.h"
#include "ui/controls/option_widgets.h"

namespace velmora {

// Keeps the performance options and the window's option controls in step, in
// the manner of QDataWidgetMapper: every change of a control is copied into
// the options at once, then the option's reactions run and the controls that
// depend on it are enabled or disabled. The option table says which controls a
// performance locks and which are used only with a switch on.
class OptionBinder final : public QObject {
public:
    OptionBinder(PerformanceOptions& options, const OptionWidgets& controls, QObject* parent);

    using Reaction = std::function<void()>;
    // Runs `reaction` after each change of the option, once its value is in the options.
    void onChange(OptionId id, Reaction reaction);

    // A settings load: sets the controls from `values` in OptionId order, each
    // as a user's change would, and brings each option along with its reactions
    // whether or not its value changed. Global-only options (the repeat
    // switch) are taken only when `withGlobalOnly`.
    void load(const PerformanceOptions& values, bool withGlobalOnly);

    // Enables or disables the controls a running performance locks.
    void showPerformanceRuns(bool runs);

private:
    void controlChanged(OptionId id);
    void updateEnabled(OptionId id);

    PerformanceOptions& options_;
    const OptionWidgets& controls_;
    std::array<std::vector<Reaction>, kOptionCount> reactions_;
    bool performanceRuns_ = false;
};

}  // namespace velmora
