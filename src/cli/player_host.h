#pragma once

#include <cstdint>
#include <string>

#include "cli/cli_setup.h"
#include "engine/transport.h"
#include "language/status_texts.h"
#include "midi/tick_timer.h"

namespace velmora::cli {

// The command-line player's stand-in for the window: it hands the text to the
// transport, remembers what the transport shows and builds the status line.
class PlayerHost final : public TransportHost, public TickOwner {
public:
    explicit PlayerHost(const CliSetup& setup);

    void attach(Transport& transport) { transport_ = &transport; }
    void setCaretLine(std::int32_t line) { caretLine_ = line; }
    bool overran() const { return overran_; }

    // State, elapsed and estimated time, line number, and the line with the
    // sounding character marked, cut to `width` columns.
    std::string statusLine(int width) const;

    MemoSnapshot memoSnapshot() override;
    void setMemoSelection(std::int32_t, std::int32_t) override {}
    void displayChanged(const TransportDisplay& display) override {
        status_ = statusTextIn(language_, display.status);
    }
    void showOverrunMessage(const std::string&) override { overran_ = true; }
    void highlightCharacter(std::int32_t, std::int32_t) override {}
    void scrollDownOneLine() override {}
    void showElapsed(const std::string& text) override { elapsed_ = text; }
    void tickOverran() override {
        if (transport_ != nullptr) transport_->tickOverran();
    }

private:
    std::string markedLine() const;

    const CliSetup& setup_;
    Transport* transport_ = nullptr;
    std::int32_t caretLine_ = 0;
    // The status line speaks the language of the terminal's locale, as the window does.
    Language language_ = LanguageChoice().languageFor(messageLocaleFromEnvironment());
    std::string status_;
    std::string elapsed_ = kElapsedZero;
    std::string estimate_;
    bool overran_ = false;
};

}  // namespace velmora::cli
