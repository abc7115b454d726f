#include "documents/text_document.h"

#include <gtest/gtest.h>

#include <map>

#include "documents/cp932_text.h"
#include "documents/file_error.h"
#include "temp_folder.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

// "あ" and "ソ" (whose trail byte is a backslash) in both encodings.
const std::string kCp932A = "\x82\xA0";
const std::string kUtf8A = "\xE3\x81\x82";
const std::string kCp932So = "\x83\x5C";
const std::string kUtf8So = "\xE3\x82\xBD";
const std::string kUtf8Emoji = "\xF0\x9F\x98\x80";  // no CP932 form
const std::string kBom = "\xEF\xBB\xBF";

TEST(TextLinesTest, LineBreaksOfEveryKindEndALine) {
    EXPECT_EQ(splitTextLines("A\r\nB\rC\nD"), (Lines{"A", "B", "C", "D"}));
    EXPECT_EQ(splitTextLines("A\n\nB\r\n"), (Lines{"A", "", "B"}));
    EXPECT_EQ(splitTextLines("A\n\r"), (Lines{"A", ""}));
    EXPECT_EQ(splitTextLines("\r\n"), (Lines{""}));
    EXPECT_TRUE(splitTextLines("").empty());
}

TEST(TextLinesTest, NulEndsTheText) {
    EXPECT_EQ(splitTextLines(std::string("AB\nC\0D\nE", 8)), (Lines{"AB", "C"}));
    EXPECT_TRUE(splitTextLines(std::string("\0abc", 4)).empty());
}

TEST(TextLinesTest, MemoTextEndsEveryLineWithCrLf) {
    EXPECT_EQ(joinMemoLines({"A", "B", "C"}), "A\r\nB\r\nC\r\n");
    EXPECT_EQ(joinMemoLines({""}), "\r\n");
    EXPECT_EQ(joinMemoLines({}), "");
}

TEST(UpperCp932, UpperCasesSingleBytesAndKeepsDoubleByteCharacters) {
    EXPECT_EQ(upperCp932("Hello, world 123\r\n"), "HELLO, WORLD 123\r\n");
    // The trail bytes 0x61 and 0x7A look like 'a' and 'z'.
    EXPECT_EQ(upperCp932("\x82\x61x\x82\x7Ay"), "\x82\x61X\x82\x7AY");
    EXPECT_EQ(upperCp932("a" + kCp932So + "b"), "A" + kCp932So + "B");
    // Half-width katakana are single bytes and have no case.
    EXPECT_EQ(upperCp932("\xB1q"), "\xB1Q");
    EXPECT_EQ(upperCp932("q\x82"), "Q\x82");
}

TEST(TextEncodingTest, DetectsUtf8OnlyWhenValidAndNotAscii) {
    EXPECT_EQ(detectEncoding("plain ascii\r\n"), TextEncoding::Cp932);
    EXPECT_EQ(detectEncoding(kCp932A + kCp932So), TextEncoding::Cp932);
    EXPECT_EQ(detectEncoding("x" + kUtf8A), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding(kBom + "ascii"), TextEncoding::Utf8Bom);
    EXPECT_EQ(detectEncoding(kUtf8A + "\xFF"), TextEncoding::Cp932);
    EXPECT_EQ(detectEncoding("\xC0\x80"), TextEncoding::Cp932);          // overlong NUL
    EXPECT_EQ(detectEncoding("\xED\xA0\x80"), TextEncoding::Cp932);      // surrogate
    EXPECT_EQ(detectEncoding("\xF4\x90\x80\x80"), TextEncoding::Cp932);  // beyond U+10FFFF
}

TEST(TextEncodingTest, ConvertsBetweenUtf8AndCp932) {
    EXPECT_EQ(utf8ToCp932("A" + kUtf8A + kUtf8So), "A" + kCp932A + kCp932So);
    EXPECT_EQ(cp932ToUtf8("A" + kCp932A + kCp932So), "A" + kUtf8A + kUtf8So);
    EXPECT_EQ(utf8ToCp932("a" + kUtf8Emoji + "b"),
              "a\x81\x48"
              "b");
    EXPECT_EQ(utf8ToCp932("a\xFF"
                          "b"),
              "a\x81\x48"
              "b");
    EXPECT_EQ(cp932ToUtf8("a\xFF"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(TextEncodingTest, TellsWhetherCp932HoldsATextExactly) {
    EXPECT_TRUE(isCp932Representable("Text " + kUtf8A + kUtf8So));
    EXPECT_FALSE(isCp932Representable("Text " + kUtf8Emoji));
    EXPECT_FALSE(isCp932Representable("caf\xC3\xA9"));
    EXPECT_FALSE(isCp932Representable("\xFF"));
}

TEST(TextEncodingTest, ParsesTheCommandLineChoices) {
    EXPECT_EQ(parseEncodingChoice("auto"), EncodingChoice::Auto);
    EXPECT_EQ(parseEncodingChoice("CP932"), EncodingChoice::Cp932);
    EXPECT_EQ(parseEncodingChoice("utf-8"), EncodingChoice::Utf8);
    EXPECT_EQ(parseEncodingChoice("latin1"), std::nullopt);
}

TEST(TextDocumentTest, Cp932FileKeepsItsBytes) {
    TextDocument document = decodeTextDocument("Ab" + kCp932A +
                                               "\r\n\xFF"
                                               "c\n");
    EXPECT_EQ(document.encoding, TextEncoding::Cp932);
    EXPECT_EQ(document.lines, (Lines{"Ab" + kCp932A,
                                     "\xFF"
                                     "c"}));
    EXPECT_EQ(document.displayLines, (Lines{"Ab" + kUtf8A,
                                            "\xEF\xBF\xBD"
                                            "c"}));
}

TEST(TextDocumentTest, Utf8FilesAreConvertedForTheEngine) {
    TextDocument plain = decodeTextDocument("x" + kUtf8A + "\n" + kUtf8Emoji + "y");
    EXPECT_EQ(plain.encoding, TextEncoding::Utf8);
    EXPECT_EQ(plain.lines, (Lines{"x" + kCp932A, "\x81\x48y"}));
    EXPECT_EQ(plain.displayLines, (Lines{"x" + kUtf8A, kUtf8Emoji + "y"}));

    TextDocument withBom = decodeTextDocument(kBom + "ab\r\ncd\r\n");
    EXPECT_EQ(withBom.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(withBom.lines, (Lines{"ab", "cd"}));
    EXPECT_EQ(withBom.displayLines, (Lines{"ab", "cd"}));
}

TEST(TextDocumentTest, ChoiceOverridesDetection) {
    TextDocument asCp932 = decodeTextDocument(kUtf8A, EncodingChoice::Cp932);
    EXPECT_EQ(asCp932.encoding, TextEncoding::Cp932);
    EXPECT_EQ(asCp932.lines, (Lines{kUtf8A}));

    TextDocument asUtf8 = decodeTextDocument("ok\xFFno", EncodingChoice::Utf8);
    EXPECT_EQ(asUtf8.encoding, TextEncoding::Utf8);
    EXPECT_EQ(asUtf8.lines, (Lines{"ok\x81\x48no"}));
    EXPECT_EQ(decodeTextDocument(kBom + "a", EncodingChoice::Utf8).encoding, TextEncoding::Utf8Bom);
}

TEST(TextDocumentTest, NulEndsTheTextBeforeDetection) {
    TextDocument document = decodeTextDocument(std::string("ab\0", 3) + kCp932A);
    EXPECT_EQ(document.lines, (Lines{"ab"}));
}

class TextFileTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(TextFileTest, SavingWritesEveryLineWithCrLf) {
    const std::string path = folder.file("abc.txt");
    writeBytes(path, "A\nB\nC");
    TextDocument document = loadTextDocument(path);
    saveTextLines(path, document.lines, document.encoding);
    EXPECT_EQ(readBytes(path), "A\r\nB\r\nC\r\n");
}

TEST_F(TextFileTest, RoundTripsKeepTheEncoding) {
    const std::map<std::string, TextEncoding> files{{"sjis.txt", TextEncoding::Cp932},
                                                    {"utf8.txt", TextEncoding::Utf8},
                                                    {"bom.txt", TextEncoding::Utf8Bom}};
    const std::map<TextEncoding, std::string> contents{
        {TextEncoding::Cp932, "Text " + kCp932A + kCp932So + "\r\nline\r\n"},
        {TextEncoding::Utf8, "Text " + kUtf8A + kUtf8So + "\r\nline\r\n"},
        {TextEncoding::Utf8Bom, kBom + "Text " + kUtf8A + kUtf8So + "\r\nline\r\n"}};
    for (const auto& [name, encoding] : files) {
        const std::string path = folder.file(name);
        writeBytes(path, contents.at(encoding));
        TextDocument document = loadTextDocument(path);
        EXPECT_EQ(document.encoding, encoding) << name;
        saveMemoText(path, joinMemoLines(document.lines), document.encoding);
        EXPECT_EQ(readBytes(path), contents.at(encoding)) << name;
        saveUtf8Text(path, joinMemoLines(document.displayLines), document.encoding);
        EXPECT_EQ(readBytes(path), contents.at(encoding)) << name;
    }
}

TEST_F(TextFileTest, Utf8TextKeepsWhatCp932CannotHoldOnlyOnTheDisplayPath) {
    const std::string path = folder.file("emoji.txt");
    const std::string text = "a" + kUtf8Emoji + "\r\n";
    writeBytes(path, text);
    TextDocument document = loadTextDocument(path);
    saveUtf8Text(path, joinMemoLines(document.displayLines), document.encoding);
    EXPECT_EQ(readBytes(path), text);
    saveTextLines(path, document.lines, document.encoding);
    EXPECT_EQ(readBytes(path), "a\xEF\xBC\x9F\r\n");  // the full-width question mark
}

TEST_F(TextFileTest, FailuresNameTheFile) {
    const std::string missing = folder.file("missing.txt");
    try {
        loadTextDocument(missing);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル " + missing + " は開けません");
    }
    const std::string folderPath = folder.path().string();
    try {
        saveTextLines(folderPath, {"x"}, TextEncoding::Cp932);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル " + folderPath + " を作成できません");
    }
}

}  // namespace
}  // namespace velmora
