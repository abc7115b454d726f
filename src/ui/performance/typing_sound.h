#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "engine/key_sounder.h"

class QPlainTextEdit;

namespace velmora {

// Play as you type (打鍵で鳴らす): watches the memo's key presses and sounds
// each typed character through the key sounder while the switch is on and no
// performance runs. The key sounds before the memo takes it, so the text's
// own work adds nothing to the delay. A note ends at the next key or after
// one step of the tempo.
class TypingSound final : public QObject {
    Q_OBJECT

public:
    TypingSound(QPlainTextEdit& memo, const PerformanceOptions& options, MidiOutPort& port, RandomSource& rng,
                std::function<bool()> performing);

    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    // Hands the output back before a performance takes it.
    void suspend() { sounder_.stop(); }
    const KeySounder& sounder() const { return sounder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sound(const QString& text);

    QPlainTextEdit& memo_;
    const PerformanceOptions& options_;
    KeySounder sounder_;
    std::function<bool()> performing_;
    QTimer releaseTimer_;
    bool enabled_ = false;
};

}  // namespace velmora
