#pragma once

#include <QString>
#include <string>

#include "documents/text_encoding.h"

namespace velmora {

// How a text is kept on disk: the encoding it was read in and is saved in,
// and what the memo could not take of the file it was read from. The memo
// holds the text itself; the document says which file it belongs to.
class TextFile {
public:
    // Why the memo could not take a file whole.
    enum class Gap { None, CutAtNul, Undecodable };

    TextEncoding encoding() const { return encoding_; }
    bool isUtf16() const { return utf16_ != Utf16::No; }
    // What the last read left out; a Save over that file would lose it.
    Gap gap() const { return gap_; }

    // Reads the file at `path` and returns the memo's text, each line ended by
    // '\n'; takes the file's encoding (UTF-16 with a byte-order mark as well).
    // Throws FileError when the file cannot be read.
    QString read(const std::string& path);
    // A new, empty text: saved as UTF-8.
    void clear();
    // Writes the memo's text to `path` in the document's encoding. A text that
    // CP932 cannot hold whole is written as UTF-8 instead, and true returned.
    // A writable file in a folder that refuses new files is written in place.
    // Throws FileError; the encoding stays then.
    bool write(const std::string& path, const QString& memoText);

private:
    enum class Utf16 { No, LittleEndian, BigEndian };

    TextEncoding encoding_ = TextEncoding::Utf8;  // a new text is saved as UTF-8
    Utf16 utf16_ = Utf16::No;
    Gap gap_ = Gap::None;
};

// The memo's text with CR LF line breaks, in UTF-8.
std::string memoFileText(const QString& memoText);

// Replaces the file at `path` with `bytes` as one step; when the file itself
// is writable but cannot be replaced (its folder refuses new files, or a new
// file could not keep its owner), writes the file in place instead. Throws
// FileError.
void writeDocumentFile(const std::string& path, const std::string& bytes);

}  // namespace velmora
