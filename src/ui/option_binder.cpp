#include "ui/option_binder.h"

#include <QWidget>

namespace velmora {

OptionBinder::OptionBinder(PerformanceOptions& options, const OptionWidgets& controls, QObject* parent)
    : QObject(parent), options_(options), controls_(controls) {
    controls_.watch(this, [this](OptionId id) { controlChanged(id); });
}

void OptionBinder::onChange(OptionId id, Reaction reaction) {
    reactions_[static_cast<std::size_t>(id)].push_back(std::move(reaction));
}

void OptionBinder::load(const PerformanceOptions& values, bool withGlobalOnly) {
    for (const OptionSpec& spec : optionTable()) {
        if (spec.globalOnly && !withGlobalOnly) continue;
        controls_.setValue(spec.id, spec.get(values));
        controlChanged(spec.id);
    }
}

void OptionBinder::showPerformanceRuns(bool runs) {
    performanceRuns_ = runs;
    for (const OptionSpec& spec : optionTable()) {
        if (spec.lockedWhilePerforming) updateEnabled(spec.id);
    }
}

void OptionBinder::controlChanged(OptionId id) {
    setOptionValue(options_, id, controls_.value(id));
    for (const Reaction& reaction : reactions_[static_cast<std::size_t>(id)]) reaction();
    for (const OptionSpec& spec : optionTable()) {
        if (spec.usedOnlyWith == id) updateEnabled(spec.id);
    }
}

void OptionBinder::updateEnabled(OptionId id) {
    controls_.widget(id)->setEnabled(optionEnabled(id, options_, performanceRuns_));
}

}  // namespace velmora
