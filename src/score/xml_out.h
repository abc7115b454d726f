#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "score/score_sink.h"

namespace velmora {

// A buffered writer of XML text: markup goes out as given, text and
// attribute values escaped; the buffer is handed to the sink in large pieces,
// so memory stays small however long the score is.
class XmlOut {
public:
    explicit XmlOut(ScoreSink& sink);
    ~XmlOut() = default;
    XmlOut(const XmlOut&) = delete;
    XmlOut& operator=(const XmlOut&) = delete;

    XmlOut& markup(std::string_view text) {
        buffer_.append(text);
        if (buffer_.size() >= kFlushBytes) flush();
        return *this;
    }
    XmlOut& number(std::int64_t value);
    // Escapes &, <, > and quotes, and leaves out the control characters XML
    // does not allow; invalid UTF-8 becomes U+FFFD.
    XmlOut& text(std::string_view utf8);
    // <name>value</name>
    XmlOut& element(std::string_view name, std::int64_t value);
    XmlOut& element(std::string_view name, std::string_view utf8);

    // Hands the buffered text to the sink.
    void flush();

private:
    static constexpr std::size_t kFlushBytes = 1 << 20;
    ScoreSink& sink_;
    std::string buffer_;
};

}  // namespace velmora
