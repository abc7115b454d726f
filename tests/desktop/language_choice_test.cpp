#include "language/language_choice.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "engine/transport_display.h"
#include "language/language_setting.h"
#include "language/status_texts.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(LanguageChoice, AutomaticFollowsTheLanguagePartOfTheLocale) {
    const LanguageChoice automatic;
    for (const char* japanese : {"ja", "ja_JP", "ja_JP.UTF-8", "ja_JP.eucJP", "ja_JP@cjknarrow"}) {
        EXPECT_EQ(automatic.languageFor(japanese), Language::Japanese) << japanese;
    }
    for (const char* other : {"C", "POSIX", "C.UTF-8", "en_US.UTF-8", "de_DE", "jv_ID", "", "jam"}) {
        EXPECT_EQ(automatic.languageFor(other), Language::English) << other;
    }
}

TEST(LanguageChoice, AChosenLanguageWinsOverTheLocale) {
    EXPECT_EQ(LanguageChoice(LanguagePreference::English).languageFor("ja_JP.UTF-8"), Language::English);
    EXPECT_EQ(LanguageChoice(LanguagePreference::Japanese).languageFor("en_GB.UTF-8"), Language::Japanese);
}

TEST(LanguageChoice, SettingRoundTripsAndUnknownValuesMeanAutomatic) {
    for (auto preference :
         {LanguagePreference::Automatic, LanguagePreference::Japanese, LanguagePreference::English}) {
        const LanguageChoice choice(preference);
        EXPECT_EQ(LanguageChoice::fromSetting(choice.setting()).preference(), preference) << choice.setting();
    }
    for (const char* odd : {"", "EN", "english", "fr", " ja"}) {
        EXPECT_EQ(LanguageChoice::fromSetting(odd).preference(), LanguagePreference::Automatic) << odd;
    }
}

// Sets environment variables for one test and restores them after.
class LocaleEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_[index(name)] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const char* name : kNames) {
            const auto& value = saved_[index(name)];
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    static std::size_t index(const char* name) {
        for (std::size_t i = 0; i < 3; ++i) {
            if (std::string(kNames[i]) == name) return i;
        }
        return 0;
    }
    std::optional<std::string> saved_[3];
};

TEST_F(LocaleEnvironment, MessagesLocaleReadsLcAllThenLcMessagesThenLang) {
    EXPECT_EQ(messageLocaleFromEnvironment(), "C");
    setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ(messageLocaleFromEnvironment(), "ja_JP.UTF-8");
    setenv("LC_MESSAGES", "en_US.UTF-8", 1);
    EXPECT_EQ(messageLocaleFromEnvironment(), "en_US.UTF-8");
    setenv("LC_ALL", "", 1);  // empty counts as unset
    EXPECT_EQ(messageLocaleFromEnvironment(), "en_US.UTF-8");
    setenv("LC_ALL", "ja_JP", 1);
    EXPECT_EQ(messageLocaleFromEnvironment(), "ja_JP");
}

class LanguageSettingFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("velmora-language-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string path() const { return (folder_ / "velmora.ini").string(); }
    std::string contents() const {
        std::ifstream in(path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    fs::path folder_;
};

TEST_F(LanguageSettingFile, MissingFileMeansAutomatic) {
    EXPECT_EQ(readLanguageChoice(path()).preference(), LanguagePreference::Automatic);
}

TEST_F(LanguageSettingFile, StoredChoiceIsReadBackAndTheRestOfTheFileIsKept) {
    {
        std::ofstream out(path(), std::ios::binary);
        out << "[config]\r\ntempo=150\r\n[midi]\r\noutput=none\r\n";
    }
    storeLanguageChoice(path(), LanguageChoice(LanguagePreference::English));
    EXPECT_EQ(readLanguageChoice(path()).preference(), LanguagePreference::English);
    storeLanguageChoice(path(), LanguageChoice(LanguagePreference::Japanese));
    EXPECT_EQ(readLanguageChoice(path()).preference(), LanguagePreference::Japanese);

    const std::string text = contents();
    EXPECT_NE(text.find("tempo=150"), std::string::npos) << text;
    EXPECT_NE(text.find("output=none"), std::string::npos) << text;
    EXPECT_EQ(text.find("language=en"), std::string::npos) << "the old value stays behind: " << text;
}

TEST(StatusTexts, EnglishReplacesEveryTransportStatusAndJapaneseKeepsThem) {
    for (const char* status : {kStatusPreparing, kStatusPlaying, kStatusResting, kStatusLoading}) {
        EXPECT_EQ(statusTextIn(Language::Japanese, status), status);
        const std::string english = statusTextIn(Language::English, status);
        EXPECT_NE(english, status);
        for (unsigned char c : english) EXPECT_LT(c, 0x80) << english;  // no Japanese left
    }
    EXPECT_EQ(statusTextIn(Language::English, "something else"), "something else");
}

}  // namespace
}  // namespace velmora
