#include "documents/ini_file.h"

#include <algorithm>

#include "documents/ini_value.h"

namespace velmora {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

IniFile::Line IniFile::parseLine(std::string_view text) {
    Line line;
    line.text = std::string(text);
    std::string_view trimmed = trimIniBlanks(text);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return line;

    if (trimmed.front() == '[') {
        std::string_view name = trimmed.substr(1);
        name = name.substr(0, name.find(']'));
        line.kind = Line::Kind::Section;
        line.section = std::string(trimIniBlanks(name));
        return line;
    }

    std::size_t equals = text.find('=');
    if (equals == npos) return line;
    std::string_view key = trimIniBlanks(text.substr(0, equals));
    if (key.empty()) return line;
    line.kind = Line::Kind::Key;
    line.key = std::string(key);
    line.valueBegin = equals + 1;
    while (line.valueBegin < text.size() && (text[line.valueBegin] == ' ' || text[line.valueBegin] == '\t')) {
        ++line.valueBegin;
    }
    return line;
}

std::vector<IniFile::Entry> IniFile::entries() const {
    std::vector<Entry> entries;
    std::string section;
    for (const Line& line : lines_) {
        if (line.kind == Line::Kind::Section) {
            section = line.section;
            entries.push_back({section, {}, false});
        } else if (line.kind == Line::Kind::Key) {
            entries.push_back({section, line.key, false});
        } else {
            const std::string_view trimmed = trimIniBlanks(line.text);
            if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#')
                entries.push_back({section, {}, true});
        }
    }
    return entries;
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        ini.byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    // A file without any LF (old Mac style) breaks its lines at CR.
    const char breakChar = text.find('\n') == npos ? '\r' : '\n';
    ini.crBreaks_ = breakChar == '\r';
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find(breakChar);
        std::string_view line = text.substr(0, end);
        std::string_view lineBreak = end == npos ? std::string_view() : text.substr(end, 1);
        if (breakChar == '\n' && !line.empty() && line.back() == '\r') {
            // CR LF, or a CR that ends the text: the line break, not the value's.
            line.remove_suffix(1);
            lineBreak = end == npos ? std::string_view("\r") : text.substr(end - 1, 2);
        }
        if (first && !lineBreak.empty()) ini.lineBreak_ = std::string(lineBreak);
        first = false;
        ini.lines_.push_back(parseLine(line));
        ini.lines_.back().lineBreak = std::string(lineBreak);
        text.remove_prefix(end == npos ? text.size() : end + 1);
    }
    return ini;
}

std::string IniFile::serialize() const {
    std::string text;
    if (byteOrderMark_) text += kByteOrderMark;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        text += line.text;
        // A lone CR breaks a line of an LF file only at the very end; once
        // lines follow, it becomes CR LF (an LF alone would join a CR that
        // ends the line's text).
        const bool loneCrInside = !crBreaks_ && line.lineBreak == "\r" && i + 1 < lines_.size();
        if (loneCrInside) {
            text += "\r\n";
        } else {
            text += line.lineBreak.empty() ? lineBreak_ : line.lineBreak;
        }
    }
    return text;
}

std::optional<std::string> IniFile::encodingProblem(std::string_view text) {
    const bool utf16Mark = text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                                                (text[0] == '\xFE' && text[1] == '\xFF'));
    // Without a mark, UTF-16 text shows as ASCII letters with zero bytes between.
    const bool zeroBytes = text.substr(0, 64).find('\0') != npos;
    if (utf16Mark || zeroBytes) return std::string("it looks like UTF-16, which is not read; save it as UTF-8 or Shift-JIS");
    return std::nullopt;
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Kind::Section && equalsIgnoringAsciiCase(lines_[i].section, section))
            return i;
    }
    return npos;
}

std::size_t IniFile::sectionEnd(std::size_t sectionLine) const {
    std::size_t i = sectionLine + 1;
    while (i < lines_.size() && lines_[i].kind != Line::Kind::Section) ++i;
    return i;
}

std::size_t IniFile::findKey(std::size_t sectionLine, std::string_view key) const {
    std::size_t end = sectionEnd(sectionLine);
    for (std::size_t i = sectionLine + 1; i < end; ++i) {
        if (lines_[i].kind == Line::Kind::Key && equalsIgnoringAsciiCase(lines_[i].key, key)) return i;
    }
    return npos;
}

bool IniFile::hasSection(std::string_view section) const { return findSection(section) != npos; }

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const {
    std::size_t sectionLine = findSection(section);
    if (sectionLine == npos) return std::nullopt;
    std::size_t keyLine = findKey(sectionLine, key);
    if (keyLine == npos) return std::nullopt;
    const Line& line = lines_[keyLine];
    return std::string(trimIniBlanks(std::string_view(line.text).substr(line.valueBegin)));
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    std::size_t sectionLine = findSection(section);
    if (sectionLine == npos) {
        std::string header;
        header.reserve(section.size() + 2);
        header.append(1, '[').append(section).append(1, ']');
        lines_.push_back(parseLine(header));
        sectionLine = lines_.size() - 1;
    }

    std::size_t keyLine = findKey(sectionLine, key);
    if (keyLine != npos) {
        Line& line = lines_[keyLine];
        line.text.replace(line.valueBegin, npos, value);
        return;
    }

    // After the section's last key, so that blank lines and comments that
    // separate it from the next section stay where they are.
    std::size_t insertAt = sectionLine + 1;
    std::size_t end = sectionEnd(sectionLine);
    for (std::size_t i = sectionLine + 1; i < end; ++i) {
        if (lines_[i].kind == Line::Kind::Key) insertAt = i + 1;
    }
    std::string text = std::string(key) + "=" + std::string(value);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), parseLine(text));
}

}  // namespace velmora
