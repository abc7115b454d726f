#include "score/xml_out.h"

#include <charconv>

#include "documents/text_encoding.h"

namespace velmora {

XmlOut::XmlOut(ScoreSink& sink) : sink_(sink) { buffer_.reserve(kFlushBytes + 4096); }

XmlOut& XmlOut::number(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return markup(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

XmlOut& XmlOut::text(std::string_view utf8) {
    if (!isValidUtf8(utf8)) return text(decodeToUtf8(utf8, TextEncoding::Utf8));
    for (const char c : utf8) {
        switch (c) {
            case '&':
                buffer_ += "&amp;";
                break;
            case '<':
                buffer_ += "&lt;";
                break;
            case '>':
                buffer_ += "&gt;";
                break;
            case '"':
                buffer_ += "&quot;";
                break;
            default:
                // XML 1.0 allows no control characters but tab and the line breaks.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
                    buffer_ += c;
        }
    }
    if (buffer_.size() >= kFlushBytes) flush();
    return *this;
}

XmlOut& XmlOut::element(std::string_view name, std::int64_t value) {
    buffer_ += '<';
    buffer_ += name;
    buffer_ += '>';
    number(value);
    buffer_ += "</";
    buffer_ += name;
    return markup(">");
}

XmlOut& XmlOut::element(std::string_view name, std::string_view utf8) {
    buffer_ += '<';
    buffer_ += name;
    buffer_ += '>';
    text(utf8);
    buffer_ += "</";
    buffer_ += name;
    return markup(">");
}

void XmlOut::flush() {
    if (buffer_.empty()) return;
    sink_.append(buffer_.data(), buffer_.size());
    buffer_.clear();
}

}  // namespace velmora
