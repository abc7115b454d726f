#include "ui/accessibility/sounding_announcer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <utility>

namespace velmora {

namespace {

std::int64_t steadyMilliseconds() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
}

}  // namespace

SoundingAnnouncer::SoundingAnnouncer(QWidget& statusPanel, Clock clock)
    : panel_(statusPanel), clock_(clock ? std::move(clock) : Clock(steadyMilliseconds)) {}

void SoundingAnnouncer::sounding(const QString& character) {
    if (character.trimmed().isEmpty()) return;
    const std::int64_t now = clock_();
    if (saidAny_ && now - lastSaid_ < kIntervalMs) return;
    saidAny_ = true;
    lastSaid_ = now;
    const auto* label = qobject_cast<const QLabel*>(&panel_);
    const QString state = label != nullptr ? label->text() : QString();
    panel_.setAccessibleName(
        QCoreApplication::translate("velmora::MainWindow", "%1：%2").arg(state, character));
}

void SoundingAnnouncer::stateChanged() {
    panel_.setAccessibleName(QString());
    saidAny_ = false;  // the first character of the new state is said at once
}

}  // namespace velmora
