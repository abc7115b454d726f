#include "ui/performance/typing_sound.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

#include "documents/text_encoding.h"

namespace velmora {

TypingSound::TypingSound(QPlainTextEdit& memo, const PerformanceOptions& options, MidiOutPort& port,
                         RandomSource& rng, std::function<bool()> performing)
    : QObject(&memo), memo_(memo), options_(options), sounder_(options, port, rng), performing_(std::move(performing)) {
    releaseTimer_.setSingleShot(true);
    connect(&releaseTimer_, &QTimer::timeout, this, [this] { sounder_.release(); });
    memo_.installEventFilter(this);
}

void TypingSound::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) {
        releaseTimer_.stop();
        sounder_.stop();
    }
}

bool TypingSound::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &memo_ && event->type() == QEvent::KeyPress && enabled_ && !memo_.isReadOnly() &&
        !performing_()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Typed text only: not shortcuts, not Enter, Tab or Backspace.
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!command && !key->text().isEmpty() && key->text().at(0).isPrint()) sound(key->text());
    }
    return QObject::eventFilter(watched, event);
}

void TypingSound::sound(const QString& text) {
    bool sounded = false;
    for (const char byte : utf8ToCp932(text.toStdString())) {
        sounded |= sounder_.keyTyped(static_cast<std::uint8_t>(byte)) != 0;
    }
    if (sounded) releaseTimer_.start(options_.timerInterval());
}

}  // namespace velmora
