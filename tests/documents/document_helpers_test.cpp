#include <gtest/gtest.h>

#include "documents/document_paths.h"

namespace velmora {
namespace {

TEST(TextSettingsPathTest, ReplacesTheExtensionOfTheFileName) {
    EXPECT_EQ(textSettingsPath("/home/me/story.txt"), "/home/me/story.ini");
    EXPECT_EQ(textSettingsPath("/home/me/story.old.txt"), "/home/me/story.old.ini");
    EXPECT_EQ(textSettingsPath("/home/me/notes"), "/home/me/notes.ini");
    EXPECT_EQ(textSettingsPath("/home/v1.2/notes"), "/home/v1.2/notes.ini");
    EXPECT_EQ(textSettingsPath("/opt/velmora/velmora.txt"), "/opt/velmora/velmora.ini");
    EXPECT_EQ(textSettingsPath("story."), "story.ini");
    // A name one byte short of the limit with a short extension: no settings file could have it.
    EXPECT_EQ(textSettingsPath("/home/me/" + std::string(253, 'a') + ".t"), "");
    EXPECT_EQ(textSettingsPath(std::string(251, 'a') + ".txt"), std::string(251, 'a') + ".ini");
}

TEST(ProposedExportNameTest, FileNameWithTheExportExtension) {
    EXPECT_EQ(proposedExportName("/home/me/story.txt", ".mid"), "story.mid");
    EXPECT_EQ(proposedExportName("/home/me/notes", ".mid"), "notes.mid");
    EXPECT_EQ(proposedExportName("/home/v1.2/notes", ".wav"), "notes.wav");
    EXPECT_EQ(proposedExportName("", ".mid"), ".mid");
    EXPECT_EQ(proposedExportName("story.txt", ".wav"), "story.wav");
}

}  // namespace
}  // namespace velmora
