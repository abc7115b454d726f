#include "ui/dialogs/instrument_ranges.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

struct ParsedLine {
    int program = 0;
    int hexProgram = -1;
    std::string name;
    int low = 0;
    int high = 0;
    std::string description;
};

std::vector<std::string> tableLines() {
    std::vector<std::string> lines;
    std::istringstream text(instrumentRangeTableText());
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

// Program, hexadecimal program in parentheses, then name, range and
// description, each after a blank and at least one tab.
bool parseLine(const std::string& line, ParsedLine& parsed) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d+)\(([0-9A-F]{2})H\) \t+(.+?) \t+(\d+)-(\d+) \t+(.+)$)"));
    const QRegularExpressionMatch match = pattern.match(QString::fromStdString(line));
    if (!match.hasMatch()) return false;
    parsed.program = match.captured(1).toInt();
    parsed.hexProgram = match.captured(2).toInt(nullptr, 16);
    parsed.name = match.captured(3).toStdString();
    parsed.low = match.captured(4).toInt();
    parsed.high = match.captured(5).toInt();
    parsed.description = match.captured(6).toStdString();
    return true;
}

ParsedLine lineOfProgram(int program) {
    ParsedLine parsed;
    const std::vector<std::string> lines = tableLines();
    if (program >= 1 && program <= static_cast<int>(lines.size())) {
        parseLine(lines[static_cast<std::size_t>(program - 1)], parsed);
    }
    return parsed;
}

TEST(InstrumentRangesTest, OneLinePerProgramOneToEighty) {
    const std::vector<std::string> lines = tableLines();
    ASSERT_EQ(lines.size(), 80u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ParsedLine parsed;
        ASSERT_TRUE(parseLine(lines[i], parsed)) << lines[i];
        EXPECT_EQ(parsed.program, static_cast<int>(i) + 1) << lines[i];
        EXPECT_EQ(parsed.hexProgram, static_cast<int>(i)) << lines[i];
        EXPECT_LT(parsed.low, parsed.high) << lines[i];
        EXPECT_GE(parsed.low, 0) << lines[i];
        EXPECT_LE(parsed.high, 127) << lines[i];
    }
}

TEST(InstrumentRangesTest, QuotedLinesReadAsPublished) {
    ParsedLine first = lineOfProgram(1);
    EXPECT_EQ(first.name, "Acoustic Grand Piano");
    EXPECT_EQ(first.low, 21);
    EXPECT_EQ(first.high, 108);
    EXPECT_EQ(first.description, "グランドピアノ");

    ParsedLine second = lineOfProgram(2);
    EXPECT_EQ(second.name, "Bright Acoustic Piano");
    EXPECT_EQ(second.description, "明るく歯切れのよいグランドピアノ");

    ParsedLine glockenspiel = lineOfProgram(10);
    EXPECT_EQ(glockenspiel.name, "Glockenspiel");
    EXPECT_EQ(glockenspiel.low, 72);
    EXPECT_EQ(glockenspiel.high, 108);
    EXPECT_EQ(glockenspiel.description, "グロッケン(鉄琴)");

    ParsedLine recorder = lineOfProgram(75);
    EXPECT_EQ(recorder.name, "Recorder");
    EXPECT_EQ(recorder.low, 60);
    EXPECT_EQ(recorder.high, 96);
    EXPECT_EQ(recorder.description, "リコーダー");

    EXPECT_EQ(lineOfProgram(80).name, "Ocarina");
}

TEST(InstrumentRangesTest, HexadecimalColumnUsesTwoUpperCaseDigits) {
    EXPECT_EQ(tableLines()[74].substr(0, 7), "75(4AH)");
    EXPECT_EQ(tableLines()[0].substr(0, 6), "1(00H)");
    EXPECT_EQ(tableLines()[79].substr(0, 7), "80(4FH)");
}

TEST(InstrumentRangesTest, TextHasNoTrailingLineBreak) {
    const std::string text = instrumentRangeTableText();
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
}

}  // namespace
}  // namespace velmora
