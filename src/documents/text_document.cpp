#include "documents/text_document.h"

#include "documents/atomic_file.h"
#include "documents/cp932_text.h"
#include "documents/file_read.h"

namespace velmora {

TextDocument decodeTextDocument(std::string_view bytes, EncodingChoice choice) {
    bytes = bytes.substr(0, bytes.find('\0'));  // a NUL byte ends the text in every encoding
    TextDocument document;
    document.encoding = chooseEncoding(bytes, choice);
    if (document.encoding == TextEncoding::Cp932) {
        document.lines = splitTextLines(bytes);
        for (const std::string& line : document.lines) document.displayLines.push_back(cp932ToUtf8(line));
    } else {
        // Conversion never creates or removes a line break, so both lists
        // keep the same length.
        document.displayLines = splitTextLines(decodeToUtf8(bytes, document.encoding));
        for (const std::string& line : document.displayLines) document.lines.push_back(utf8ToCp932(line));
    }
    return document;
}

TextDocument loadTextDocument(const std::string& path, EncodingChoice choice) {
    return decodeTextDocument(readFileBytes(path), choice);
}

void saveMemoText(const std::string& path, std::string_view cp932Text, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932) {
        writeFileAtomically(path, cp932Text);
    } else {
        writeFileAtomically(path, encodeFromUtf8(cp932ToUtf8(cp932Text), encoding));
    }
}

void saveTextLines(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding) {
    saveMemoText(path, joinMemoLines(lines), encoding);
}

void saveUtf8Text(const std::string& path, std::string_view utf8Text, TextEncoding encoding) {
    writeFileAtomically(path, encodeFromUtf8(utf8Text, encoding));
}

}  // namespace velmora
