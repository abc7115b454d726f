#include "cli/player_host.h"

#include "documents/cp932_text.h"
#include "documents/text_encoding.h"
#include "engine/time_estimate.h"

namespace velmora::cli {

namespace {

constexpr const char* kMarkOn = "\x1b[7m";
constexpr const char* kMarkOff = "\x1b[27m";

// Cuts UTF-8 text after about `columns` characters (wide characters count as
// two), keeping escape sequences whole.
std::string cutToColumns(const std::string& text, int columns) {
    std::string out;
    int used = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0x1b) {
            const std::size_t end = text.find('m', i);
            const std::size_t stop = end == std::string::npos ? text.size() : end + 1;
            out.append(text, i, stop - i);
            i = stop;
            continue;
        }
        const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        const int width = length >= 3 ? 2 : 1;
        if (used + width > columns) break;
        out.append(text, i, length);
        used += width;
        i += length;
    }
    return out;
}

}  // namespace

PlayerHost::PlayerHost(const CliSetup& setup) : setup_(setup) {
    std::uint64_t bytes = 0;
    for (const auto& line : setup.upperLines) bytes += line.size() + 2;
    estimate_ = updateTimeEstimate(bytes, static_cast<std::uint32_t>(setup.options.timerInterval()));
}

MemoSnapshot PlayerHost::memoSnapshot() {
    MemoSnapshot memo;
    memo.upperLines = setup_.upperLines;
    memo.lineStarts = setup_.lineStarts;
    memo.visibleLines = static_cast<std::int32_t>(setup_.upperLines.size()) + 3;  // a terminal never scrolls
    memo.caretLine = caretLine_;
    return memo;
}

std::string PlayerHost::markedLine() const {
    if (transport_ == nullptr) return {};
    const PerformanceState& state = transport_->state();
    if (state.lineIndex < 0 || state.lineIndex >= static_cast<std::int32_t>(setup_.document.lines.size())) return {};
    const std::string& line = setup_.document.lines[static_cast<std::size_t>(state.lineIndex)];
    const auto position = static_cast<std::size_t>(std::max(state.charPos, 1) - 1);
    if (position >= line.size()) return cp932ToUtf8(line);
    // Mark the whole character when the position is on either byte of a double-byte one.
    std::size_t start = 0;
    while (start < position) {
        const std::size_t length = isCp932LeadByte(static_cast<unsigned char>(line[start])) ? 2 : 1;
        if (start + length > position) break;
        start += length;
    }
    const std::size_t length =
        isCp932LeadByte(static_cast<unsigned char>(line[start])) && start + 1 < line.size() ? 2 : 1;
    return cp932ToUtf8(line.substr(0, start)) + kMarkOn + cp932ToUtf8(line.substr(start, length)) + kMarkOff +
           cp932ToUtf8(line.substr(start + length));
}

std::string PlayerHost::statusLine(int width) const {
    const std::int32_t lineNumber = transport_ != nullptr ? transport_->state().lineIndex + 1 : 0;
    const std::string head =
        status_ + "  " + elapsed_ + " / " + estimate_ + "  " + std::to_string(lineNumber) + ": ";
    return cutToColumns(head + markedLine(), width - 1);
}

}  // namespace velmora::cli
