#include "documents/cp932_text.h"

namespace velmora {

std::string upperCp932(std::string_view bytes) {
    std::string upper(bytes);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(upper[i]);
        if (isCp932LeadByte(byte)) {
            ++i;  // the trail byte may look like a letter; it is not one
        } else if (byte >= 'a' && byte <= 'z') {
            upper[i] = static_cast<char>(byte - 'a' + 'A');
        }
    }
    return upper;
}

std::vector<std::string> splitTextLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(text);
            break;
        }
        lines.emplace_back(text.substr(0, end));
        bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

std::string joinMemoLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace velmora
