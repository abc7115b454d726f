#include "ui/controls/option_binder.h"

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
    for (const OptionDefinition& definition : optionTable()) {
        if (definition.globalOnly && !withGlobalOnly) continue;
        controls_.setValue(definition.id, definition.get(values));
        controlChanged(definition.id);
    }
}

void OptionBinder::showPerformanceRuns(bool runs) {
    performanceRuns_ = runs;
    for (const OptionDefinition& definition : optionTable()) {
        if (definition.lockedWhilePerforming) updateEnabled(definition.id);
    }
}

void OptionBinder::controlChanged(OptionId id) {
    setOptionValue(options_, id, controls_.value(id));
    for (const Reaction& reaction : reactions_[static_cast<std::size_t>(id)]) reaction();
    for (const OptionDefinition& definition : optionTable()) {
        if (definition.usedOnlyWith == id) updateEnabled(definition.id);
    }
}

void OptionBinder::updateEnabled(OptionId id) {
    controls_.widget(id)->setEnabled(optionEnabled(id, options_, performanceRuns_));
}

}  // namespace velmora
