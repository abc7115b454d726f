#include "ui/open_document.h"

#include "documents/cp932_text.h"
#include "documents/text_document.h"

namespace velmora {

std::string memoFileText(const QString& memoText) {
    QString text = memoText;
    text.replace('\n', QStringLiteral("\r\n"));
    return text.toStdString();
}

QString OpenDocument::read(const std::string& path) {
    const TextDocument document = loadTextDocument(path);
    QString text;
    for (const std::string& line : document.displayLines) text += QString::fromStdString(line) + '\n';
    encoding_ = document.encoding;
    return text;
}

void OpenDocument::textChanged(const QString& memoText) {
    upperText_ = UpperText(utf8ToCp932(memoFileText(memoText)));
}

bool OpenDocument::write(const std::string& path, const QString& memoText) {
    const std::string text = memoFileText(memoText);
    TextEncoding encoding = encoding_;
    // A character that CP932 cannot hold must not be lost: such a text goes to UTF-8.
    const bool toUtf8 = encoding == TextEncoding::Cp932 && !isCp932Representable(text);
    if (toUtf8) encoding = TextEncoding::Utf8;
    saveUtf8Text(path, text, encoding);
    encoding_ = encoding;
    return toUtf8;
}

}  // namespace velmora
