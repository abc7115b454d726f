#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace velmora {

// Tells screen readers which character sounds while a performance plays. The
// transport's status panel is the place a reader looks for the program's
// state: its accessible name becomes "<state>：<character>", and the change
// reaches the reader as a name change. A performance steps several times a
// second, faster than speech; the name changes at most once per interval, so
// that the reader keeps up and says a recent character rather than a backlog.
class SoundingAnnouncer {
public:
    using Clock = std::function<std::int64_t()>;  // milliseconds, never decreasing
    static constexpr std::int64_t kIntervalMs = 1000;

    explicit SoundingAnnouncer(QWidget& statusPanel, Clock clock = {});

    // The character now sounding (as the memo shows it); blanks are not said.
    void sounding(const QString& character);
    // The panel's state changed: its own text is its name again, and the next
    // character is said at once.
    void stateChanged();

private:
    QWidget& panel_;
    Clock clock_;
    std::int64_t lastSaid_ = 0;
    bool saidAny_ = false;
};

}  // namespace velmora
