#include "ui/performance/output_warning_watch.h"

#include "ui/settings/engine_texts.h"
#include "ui/performance/sound_output.h"

namespace velmora {

OutputWarningWatch::OutputWarningWatch(SoundOutput& output, std::function<void(const QString&)> show,
                                       QObject* parent)
    : QObject(parent), output_(output), show_(std::move(show)) {
    connect(&timer_, &QTimer::timeout, this, &OutputWarningWatch::check);
    timer_.start(kCheckMs);
}

void OutputWarningWatch::check() {
    if (const std::optional<OutputWarning> warning = output_.rollRecorder().takeWarning())
        show_(outputWarningText(*warning));
}

}  // namespace velmora
