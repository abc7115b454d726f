#pragma once

#include <optional>
#include <string>

namespace velmora::cli {

// The controlling terminal of the player: keys without Enter and one status
// line rewritten in place. Restores the terminal's mode when destroyed. Does
// nothing when standard input or output is not a terminal.
class Terminal {
public:
    Terminal();
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // A key pressed since the last call, if any.
    std::optional<char> pollKey();
    // Rewrites the status line (cut to the terminal's width).
    void showStatus(const std::string& line);
    // Ends the status line so that later output starts on a line of its own.
    void finishStatus();
    int width() const;

private:
    bool keys_ = false;
    bool status_ = false;
    bool statusShown_ = false;
    struct Saved;
    Saved* saved_ = nullptr;
};

}  // namespace velmora::cli
