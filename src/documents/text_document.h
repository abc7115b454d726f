#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/text_encoding.h"

namespace velmora {

// A text file as read: its lines as CP932 bytes for the engine and as UTF-8 for
// display, and the encoding to write it back in. Both line lists have the same
// length. For a UTF-8 file the display lines are the file's own text, so
// characters without a CP932 form survive there.
struct TextDocument {
    TextEncoding encoding = TextEncoding::Cp932;
    std::vector<std::string> lines;         // CP932 bytes, without line breaks
    std::vector<std::string> displayLines;  // UTF-8, without line breaks
};

// Reads a file (line rules of splitTextLines, encoding under `choice`). Throws
// FileError with cannotOpenMessage(path) when it cannot be read.
TextDocument loadTextDocument(const std::string& path, EncodingChoice choice = EncodingChoice::Auto);
// The same from bytes already in memory.
TextDocument decodeTextDocument(std::string_view bytes, EncodingChoice choice = EncodingChoice::Auto);

// Writes CP932 text as given (a memo text, lines already ended by CR LF) in
// `encoding`, atomically. Throws FileError with cannotCreateMessage(path).
void saveMemoText(const std::string& path, std::string_view cp932Text, TextEncoding encoding);
// Writes CP932 lines, each followed by CR LF.
void saveTextLines(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding);
// Writes UTF-8 text as given in `encoding`: unchanged for UTF-8 files, and for
// CP932 files converted with kCp932Substitute for what has no CP932 form (ask
// isCp932Representable first to warn about that).
void saveUtf8Text(const std::string& path, std::string_view utf8Text, TextEncoding encoding);

}  // namespace velmora
