#pragma once

#include <QObject>
#include <QTimer>

#include "options/performance_options.h"
#include "ui/performance/typing_sound.h"
#include "ui/roll/roll_view.h"

namespace velmora {

class MemoEdit;
class Performance;

// The window's piano roll and play-as-you-type, wired to the memo and the
// performance. Outside a performance the roll shows the export's music
// for the current text and options (rebuilt shortly after they change);
// during one it follows the live record. A click on a note puts the caret on
// the note's character.
class RollPanel final : public QObject {
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 300;
    // Outside a performance the roll shows the music of the text's first
    // paragraphs up to this character (an hour or more of music): laying out
    // and rendering a text of megabytes would stall the window on each edit.
    static constexpr int kPreviewCharacters = 20000;

    RollPanel(MemoEdit& memo, RollView& view, Performance& performance, QObject* parent);

    // Play as you type, switched by the 演奏 menu's 打鍵で鳴らす.
    TypingSound& typing() { return typing_; }

    // Runs a transport command (Play, LinePlay); a performance it starts is followed from its first tick.
    template <typename Command>
    void runTransportCommand(Command&& command) {
        if (!performing()) beginFollowing();
        // The transport publishes its display while it starts, before it counts as performing.
        starting_ = true;
        command();
        starting_ = false;
        if (!performing()) endFollowing();
    }
    // The transport's display changed: a performance that ended hands the roll back.
    void transportChanged();
    // Rebuilds the export's roll now if the text or the options changed.
    void refresh();

private:
    bool performing() const;
    void beginFollowing();
    void endFollowing();
    void moveCaretTo(std::int32_t memoOffset);
    void caretMoved();
    QString characterAt(std::int32_t memoOffset) const;

    MemoEdit& memo_;
    RollView& view_;
    Performance& performance_;
    TypingSound typing_;
    QTimer refreshTimer_;
    // What the roll shows was built from these.
    PerformanceOptions builtOptions_;
    int builtRevision_ = -1;
    int builtWidth_ = -1;
    bool starting_ = false;
};

}  // namespace velmora
