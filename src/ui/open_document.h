#pragma once

#include <QString>
#include <string>

#include "documents/text_encoding.h"

namespace velmora {

// The text the window works on: the file it belongs to (none for a new text),
// the encoding it is saved in, and its upper-cased CP932 bytes as the engine
// and the pointer display read them. The memo holds the text itself.
class OpenDocument {
public:
    const std::string& path() const { return path_; }
    bool hasName() const { return !path_.empty(); }
    void setPath(std::string path) { path_ = std::move(path); }
    TextEncoding encoding() const { return encoding_; }
    // UpperText: the memo's text in CP932 bytes, upper-cased, lines ended by CR LF.
    const std::string& upperText() const { return upperText_; }

    // Reads the file at `path` and returns the memo's text, each line ended by
    // '\n'; takes the file's encoding. The path is not taken: the caller
    // decides. Throws FileError when the file cannot be read.
    QString read(const std::string& path);
    // Follows the memo's text.
    void textChanged(const QString& memoText);
    // Writes the memo's text to `path` in the document's encoding. A text that
    // CP932 cannot hold whole is written as UTF-8 instead, and true returned.
    // Throws FileError; the encoding stays then.
    bool write(const std::string& path, const QString& memoText);

private:
    std::string path_;
    TextEncoding encoding_ = TextEncoding::Utf8;  // a new text is saved as UTF-8
    std::string upperText_;
};

// The memo's text with CR LF line breaks, in UTF-8.
std::string memoFileText(const QString& memoText);

}  // namespace velmora
