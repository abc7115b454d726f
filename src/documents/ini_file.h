#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// An ini file kept line by line, so that writing it back preserves everything
// this program does not own: comments, blank lines, unknown keys and sections,
// their order and their spelling. Sections and keys are matched without regard
// to ASCII case; where a name occurs twice, the first occurrence counts.
class IniFile {
public:
    IniFile() = default;
    // Any text parses: a line that is neither "[section]" nor "key=value" is
    // kept as it stands and otherwise ignored. Lines before the first section
    // belong to no section. Lines end at LF (a CR before it belongs to the
    // line break), or at CR in a file without any LF; a UTF-8 byte-order mark
    // is not part of the first line.
    static IniFile parse(std::string_view text);
    // The lines joined again, each with the line break it was read with (so
    // a stray CR at a line end stays), a new or unterminated line with the
    // first line's break (CR LF for a new file); the byte-order mark kept.
    std::string serialize() const;
    // Why the text cannot be read as a settings file (UTF-16, which this
    // program does not read), or nothing.
    static std::optional<std::string> encodingProblem(std::string_view text);

    // The value of `key` in `section`, without the blanks around it.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;
    // What the file holds: each section line (key empty), each key with its
    // section, and each line that is neither (`other`); blank lines and
    // comments are left out.
    struct Entry {
        std::string section;
        std::string key;
        bool other = false;
    };
    std::vector<Entry> entries() const;
    // Updates the key's line in place, or appends "key=value" at the end of the
    // section (after its last key line), creating the section at the end of the
    // file when it is missing. A value holds no line break: anything from the
    // first CR or LF on is dropped.
    void set(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line {
        std::string text;            // as read, without its line break
        std::string lineBreak;       // as read; empty for a new or unterminated line
        std::string section;         // for a section line: its name
        std::string key;             // for a key line: its key, trimmed
        std::size_t valueBegin = 0;  // for a key line: where the value starts in text
        enum class Kind { Other, Section, Key } kind = Kind::Other;
    };

    static Line parseLine(std::string_view text);
    // Index of the section line, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index just past the last line of the section that starts at `sectionLine`.
    std::size_t sectionEnd(std::size_t sectionLine) const;
    std::size_t findKey(std::size_t sectionLine, std::string_view key) const;

    std::vector<Line> lines_;
    std::string lineBreak_ = "\r\n";
    bool byteOrderMark_ = false;
    bool crBreaks_ = false;  // lines end at CR: the file has no LF
};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace velmora
