#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace velmora {

class MemoEdit;

// The Edit menu's search of the memo: asks what to look for, then finds it
// after the caret, going round to the start once.
class MemoSearch final : public QObject {
    Q_OBJECT

public:
    using Notice = std::function<void(const QString& text)>;

    // `notice` hears that the text was not found.
    MemoSearch(MemoEdit& memo, Notice notice, QObject* parent);

    // Asks for the text to look for (the last one offered), then finds it.
    void ask();
    void findNext();

private:
    MemoEdit& memo_;
    Notice notice_;
    QString searched_;
};

}  // namespace velmora
