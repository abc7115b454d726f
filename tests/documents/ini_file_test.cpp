#include "documents/ini_file.h"

#include <gtest/gtest.h>

#include "documents/ini_value.h"

namespace velmora {
namespace {

TEST(IniIntegerTest, ReadsDecimalAndHexadecimal) {
    EXPECT_EQ(parseIniInteger("42"), 42);
    EXPECT_EQ(parseIniInteger("-8"), -8);
    EXPECT_EQ(parseIniInteger("0x5A"), 90);
    EXPECT_EQ(parseIniInteger("0X5a"), 90);
    EXPECT_EQ(parseIniInteger("  17\t"), 17);
    EXPECT_EQ(parseIniInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseIniInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseIniInteger("0xFFFFFFFF"), -1);
}

TEST(IniIntegerTest, RejectsWhatIsNoInteger) {
    for (const char* text : {"", "0x", "0X", "yes", "12x", "x12", "-", "+3", "1 2", "0x5G", "--1",
                             "2147483648", "-2147483649", "0x100000000", "99999999999999999999"}) {
        EXPECT_EQ(parseIniInteger(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(IniIntegerTest, MissingOrInvalidValueGivesTheDefault) {
    EXPECT_EQ(readIniInteger(std::nullopt, 300), 300);
    EXPECT_EQ(readIniInteger("0x", 60), 60);
    EXPECT_EQ(readIniInteger("250", 60), 250);
}

TEST(IniBooleanTest, NonzeroIsOnAndInvalidGivesTheDefault) {
    EXPECT_TRUE(readIniBoolean("2", false));
    EXPECT_TRUE(readIniBoolean("-1", false));
    EXPECT_FALSE(readIniBoolean("0", true));
    EXPECT_FALSE(readIniBoolean("0x0", true));
    EXPECT_TRUE(readIniBoolean("yes", true));
    EXPECT_FALSE(readIniBoolean("yes", false));
    EXPECT_TRUE(readIniBoolean(std::nullopt, true));
}

TEST(IniFileTest, FindsSectionsAndKeysWithoutRegardToCase) {
    IniFile ini = IniFile::parse("[Config]\r\nTempo = 250 \r\nPATERN=5\r\n");
    EXPECT_EQ(ini.get("config", "tempo"), "250");
    EXPECT_EQ(ini.get("CONFIG", "patern"), "5");
    EXPECT_EQ(ini.get("config", "vol"), std::nullopt);
    EXPECT_EQ(ini.get("form", "tempo"), std::nullopt);
}

TEST(IniFileTest, KeysOfOtherSectionsAndBeforeAnySectionAreNotFound) {
    IniFile ini = IniFile::parse("tempo=1\n[form]\ntempo=2\n[config]\nvol=3\n");
    EXPECT_EQ(ini.get("config", "tempo"), std::nullopt);
    EXPECT_EQ(ini.get("form", "tempo"), "2");
}

TEST(IniFileTest, FirstOccurrenceCounts) {
    IniFile ini = IniFile::parse("[config]\ntempo=1\ntempo=2\n[config]\ntempo=3\nvol=4\n");
    EXPECT_EQ(ini.get("config", "tempo"), "1");
    EXPECT_EQ(ini.get("config", "vol"), std::nullopt);
}

TEST(IniFileTest, UnchangedFileSerializesAsRead) {
    const std::string text = "; comment\r\n\r\n[form]\r\nleft=3\r\nodd line\r\n[other]\r\nx = y\r\n";
    EXPECT_EQ(IniFile::parse(text).serialize(), text);
    const std::string lfText = "[config]\nvol=1\n";
    EXPECT_EQ(IniFile::parse(lfText).serialize(), lfText);
}

TEST(IniFileTest, SetUpdatesTheKeyInPlace) {
    IniFile ini = IniFile::parse("[config]\nTempo = 250\nvol=1\n; keep\n");
    ini.set("CONFIG", "tempo", "300");
    EXPECT_EQ(ini.serialize(), "[config]\nTempo = 300\nvol=1\n; keep\n");
}

TEST(IniFileTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
    IniFile ini =
        IniFile::parse("[form]\nleft=1\n\n[config]\nvol=1\n; trailing comment\n\n[file]\nlatest=\n");
    ini.set("form", "top", "2");
    ini.set("config", "tempo", "200");
    EXPECT_EQ(ini.serialize(),
              "[form]\nleft=1\ntop=2\n\n[config]\nvol=1\ntempo=200\n; trailing comment\n\n[file]\nlatest=\n");
}

TEST(IniFileTest, MissingSectionIsCreatedAtTheEnd) {
    IniFile ini = IniFile::parse("[form]\nleft=1");
    ini.set("config", "vol", "127");
    EXPECT_EQ(ini.serialize(), "[form]\nleft=1\n[config]\nvol=127\n");
    EXPECT_TRUE(ini.hasSection("Config"));

    IniFile empty;
    empty.set("config", "vol", "127");
    EXPECT_EQ(empty.serialize(), "[config]\r\nvol=127\r\n");
}

TEST(IniFileTest, ValueWithLineBreakCannotAddLines) {
    IniFile ini;
    ini.set("file", "latest", "/tmp/a\nb");
    EXPECT_EQ(ini.get("file", "latest"), "/tmp/a");
    EXPECT_EQ(IniFile::parse(ini.serialize()).get("file", "b"), std::nullopt);
}

// Files as other editors leave them: each is read as its content says and
// written back with only the changed value different.
TEST(IniFileTest, ByteOrderMarkAndLineEndsOfOtherEditorsSurviveAnEdit) {
    const std::string bom = "\xEF\xBB\xBF";
    IniFile marked = IniFile::parse(bom + "[config]\r\ntempo=250\r\n");
    EXPECT_EQ(marked.get("config", "tempo"), "250");
    marked.set("config", "tempo", "300");
    EXPECT_EQ(marked.serialize(), bom + "[config]\r\ntempo=300\r\n");

    IniFile crOnly = IniFile::parse("[config]\rtempo=250\rvol=9\r");
    EXPECT_EQ(crOnly.get("config", "tempo"), "250");
    EXPECT_EQ(crOnly.get("config", "vol"), "9");
    crOnly.set("config", "patern", "4");
    EXPECT_EQ(crOnly.serialize(), "[config]\rtempo=250\rvol=9\rpatern=4\r");

    // One CR LF line in an LF file: the value does not take the CR, and the line keeps it.
    IniFile stray = IniFile::parse("[config]\ntempo=250\r\nvol=9\n");
    EXPECT_EQ(stray.get("config", "tempo"), "250");
    stray.set("config", "tempo", "300");
    EXPECT_EQ(stray.serialize(), "[config]\ntempo=300\r\nvol=9\n");

    // A CR that ends the text ends its last line.
    const IniFile endsInCr = IniFile::parse("[config]\nvol=9\r");
    EXPECT_EQ(endsInCr.get("config", "vol"), "9");
    EXPECT_EQ(endsInCr.serialize(), "[config]\nvol=9\r");
    IniFile grown = IniFile::parse("[config]\nvol=9\r\r");
    grown.set("config", "tempo", "1");
    EXPECT_EQ(IniFile::parse(grown.serialize()).get("config", "vol"), "9\r");
}

TEST(IniFileTest, Utf16IsReportedAsAnEncodingProblem) {
    EXPECT_TRUE(IniFile::encodingProblem(std::string("\xFF\xFE[\0c\0", 6)));
    EXPECT_TRUE(IniFile::encodingProblem(std::string("[\0c\0o\0n\0", 8)));
    EXPECT_FALSE(IniFile::encodingProblem("\xEF\xBB\xBF[config]\r\n"));
    EXPECT_FALSE(IniFile::encodingProblem("[config]\ntempo=\x82\xa0\n"));
}

}  // namespace
}  // namespace velmora
