#include "ui/document/text_file.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "documents/file_error.h"
#include "documents/file_read.h"
#include "documents/safe_file_writer.h"

namespace velmora {

namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// The memo's text from decoded text: every line ended by one '\n', a NUL
// ending the text as it does for the other encodings.
QString memoLines(QString text) {
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0) text.truncate(nul);
    // One pass in place: QString::replace of "\r\n" moves the tail at every
    // match, which takes seconds on a text of millions of lines.
    QChar* out = text.data();
    const QChar* const end = text.constData() + text.size();
    for (const QChar* in = text.constData(); in != end; ++in) {
        if (*in != u'\r') {
            *out++ = *in;
            continue;
        }
        *out++ = u'\n';
        if (in + 1 != end && in[1] == u'\n') ++in;
    }
    text.truncate(out - text.constData());
    if (!text.isEmpty() && !text.endsWith('\n')) text += '\n';
    return text;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string memoFileText(const QString& memoText) {
    QString text = memoText;
    text.replace('\n', QStringLiteral("\r\n"));
    return text.toStdString();
}

void writeDocumentFile(const std::string& path, const std::string& bytes) {
    SafeWriteOptions options;
    options.inPlaceFallback = true;
    writeFileSafely(path, bytes, options);
}

QString TextFile::read(const std::string& path) {
    const std::string bytes = readFileBytes(path);
    const std::string_view head = std::string_view(bytes).substr(0, 2);
    if (head == kUtf16LeBom || head == kUtf16BeBom) {
        const bool little = head == kUtf16LeBom;
        QStringDecoder decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString text = decode(QByteArrayView(bytes.data() + 2, static_cast<qsizetype>(bytes.size() - 2)));
        utf16_ = little ? Utf16::LittleEndian : Utf16::BigEndian;
        encoding_ = TextEncoding::Utf8;
        gap_ = decode.hasError() ? Gap::Undecodable : (text.contains(QChar(u'\0')) ? Gap::CutAtNul : Gap::None);
        return memoLines(text);
    }
    // Decoded whole, not line by line: the line breaks are single bytes in every
    // encoding read here, so the lines come out the same.
    const std::string_view text = std::string_view(bytes).substr(0, bytes.find('\0'));
    encoding_ = chooseEncoding(text, EncodingChoice::Auto);
    utf16_ = Utf16::No;
    bool lost = false;
    QString decoded;
    if (encoding_ == TextEncoding::Cp932 && isAscii(text)) {
        decoded = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    } else {
        const std::string utf8 = decodeToUtf8(text, encoding_);
        // Bytes that start no CP932 character were shown as replacement characters.
        lost = encoding_ == TextEncoding::Cp932 && utf8ToCp932(utf8) != text;
        decoded = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    gap_ = text.size() != bytes.size() ? Gap::CutAtNul : (lost ? Gap::Undecodable : Gap::None);
    return memoLines(std::move(decoded));
}

void TextFile::clear() {
    encoding_ = TextEncoding::Utf8;
    utf16_ = Utf16::No;
    gap_ = Gap::None;
}

bool TextFile::write(const std::string& path, const QString& memoText) {
    const std::string text = memoFileText(memoText);
    if (isUtf16()) {
        const bool little = utf16_ == Utf16::LittleEndian;
        QStringEncoder encode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QByteArray encoded = encode(QString::fromStdString(text));
        writeDocumentFile(path, std::string(little ? kUtf16LeBom : kUtf16BeBom) + encoded.toStdString());
        gap_ = Gap::None;
        return false;
    }
    TextEncoding encoding = encoding_;
    // A character that CP932 cannot hold must not be lost: such a text goes to UTF-8.
    const bool toUtf8 = encoding == TextEncoding::Cp932 && !isCp932Representable(text);
    if (toUtf8) encoding = TextEncoding::Utf8;
    writeDocumentFile(path, encodeFromUtf8(text, encoding));
    encoding_ = encoding;
    gap_ = Gap::None;
    return toUtf8;
}

}  // namespace velmora
