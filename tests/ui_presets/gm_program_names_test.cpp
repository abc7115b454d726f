#include "ui/controls/gm_program_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace velmora {
namespace {

TEST(GmProgramNamesTest, ListsProgramsZeroToShanai) {
    EXPECT_EQ(GmProgramNames.size(), 112u);
    EXPECT_EQ(GmProgramNames[0], "AcousticGrandPiano");
    EXPECT_EQ(GmProgramNames[74], "Recorder");
    EXPECT_EQ(GmProgramNames[111], "Shanai");
}

TEST(GmProgramNamesTest, KeepsTheOddSpellings) {
    EXPECT_EQ(GmProgramNames[69], "EnglishHorn");
    EXPECT_EQ(GmProgramNames[98], "FX3Crysta ");  // the blank belongs to the name
    EXPECT_EQ(GmProgramNames[55], "OrchestraHit");
    EXPECT_EQ(GmProgramNames[46], "OrchestralHarp");
}

// A combo finds its item by text, so two equal names would make one program unreachable.
TEST(GmProgramNamesTest, NamesAreDistinctAndNonEmpty) {
    std::set<std::string_view> distinct(GmProgramNames.begin(), GmProgramNames.end());
    EXPECT_EQ(distinct.size(), GmProgramNames.size());
    EXPECT_EQ(distinct.count(""), 0u);
}

TEST(GmProgramNamesTest, ComboItemsKeepOrderAndSpelling) {
    const QStringList items = gmProgramNameList();
    ASSERT_EQ(items.size(), 112);
    for (std::size_t i = 0; i < GmProgramNames.size(); ++i) {
        EXPECT_EQ(items[static_cast<qsizetype>(i)].toStdString(), std::string(GmProgramNames[i])) << i;
    }
}

}  // namespace
}  // namespace velmora
