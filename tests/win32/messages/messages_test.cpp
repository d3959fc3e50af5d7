// The string table and .\setup.ini as the program reads them.

#include "core/app_state.h"
#include "messages/setup_ini.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class LanguageScope {
public:
    explicit LanguageScope(int index) : saved_(App().languageIndex) { App().languageIndex = index; }
    ~LanguageScope() { App().languageIndex = saved_; }

private:
    int saved_;
};

bool EndsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST(StringTable, EverySlotHasAText) {
    for (int id = 1; id <= 140; ++id)
        EXPECT_FALSE(ResourceText(id).empty()) << "id " << id;
}

TEST(StringTable, LinkNamesCarryTheLanguageOnDriveTexts) {
    const char *const kTexts[] = {"Fran\xE7"
                                  "ais sur disque",
                                  "English on drive",
                                  "Deutsche Version auf Laufwerk",
                                  "Espa\xF1ol en el disco",
                                  "Italiano sul disco",
                                  "American on drive"};
    for (int language = 0; language < 6; ++language) {
        LanguageScope scope(language);
        EXPECT_EQ(GroupText(kTextLanguageOnDrive), kTexts[language]) << language;
    }
}

TEST(StringTable, TextsAreCodePage1252Bytes) {
    EXPECT_EQ(ResourceText(3), "Installationsprogramm f\xFCr: ");
    EXPECT_EQ(ResourceText(121), "Inserez le Disque N\xB0"
                                 "1 pour installer ce produit");
    EXPECT_EQ(ResourceText(115), "Fran\xE7"
                                 "ais sur disque");
    EXPECT_EQ(ResourceText(139), "[Insert String Here]");
    EXPECT_EQ(ResourceText(92), "Setup is finished.");
}

TEST(StringTable, GroupsFollowTheLanguageIndex) {
    {
        LanguageScope english(1);
        EXPECT_EQ(GroupText(kTextInstallButton), "Install");
        EXPECT_EQ(GroupText(kTextCurrentFile), " Current file: ");
    }
    {
        LanguageScope german(2);
        EXPECT_EQ(GroupText(kTextQuitButton), "Beenden");
        EXPECT_EQ(GroupText(kTextFreeSpace), "Freier Speicher:");
    }
    {
        LanguageScope italian(4); // no texts of its own: the French ones
        EXPECT_EQ(GroupText(kTextYes), "Oui");
        EXPECT_TRUE(EndsWith(GroupText(kTextTitlePrefix), "\n\n"));
        EXPECT_EQ(GroupText(kTextInsertDiskOne), "Message 0");
    }
    LanguageScope french(0);
    EXPECT_EQ(GroupText(kTextRequiredSpace), "Espace disque requis : environ ");
    const std::string welcome = GroupText(kTextWelcome);
    EXPECT_EQ(welcome.rfind("   Bienvenue dans ce programme d'installation.\n\n", 0), 0u);
    EXPECT_TRUE(EndsWith(welcome, "cliquez sur \"Quitter\"."));
}

TEST(StringTable, YearMessageNamesTheLastAcceptedYear) {
    const std::string text = ResourceText(kTextBadSystemYear);
    EXPECT_EQ(
        text.rfind("Attention, la date courante de votre machine est sup\xE9rieure \xE0 2099.", 0),
        0u)
        << text;
}

class SetupIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir_ = std::string(temp) + "setupini_test";
        CreateDirectoryA(dir_.c_str(), nullptr);
        GetCurrentDirectoryA(sizeof saved_, saved_);
        SetCurrentDirectoryA(dir_.c_str());
    }
    void TearDown() override {
        DeleteFileA((dir_ + "\\setup.ini").c_str());
        SetCurrentDirectoryA(saved_);
        RemoveDirectoryA(dir_.c_str());
    }
    void Write(const char *content) {
        std::FILE *file = std::fopen((dir_ + "\\setup.ini").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(content, file);
        std::fclose(file);
    }

    std::string dir_;
    char saved_[MAX_PATH] = {};
};

TEST_F(SetupIniTest, MessagesComeFromTheLanguageSection) {
    Write("[Fran\xE7"
          "ais]\r\nMessage1=Un\xA4"
          "deux\r\n[Deutch]\r\nMessage1=Eins\r\n"
          "[English]\r\nMessage2=\r\n");
    LanguageScope french(0);
    EXPECT_EQ(SetupIniMessage(1), "Un\ndeux");
    EXPECT_EQ(SetupIniControlMessage(1), "Un\ndeux");
    {
        LanguageScope german(2);
        EXPECT_EQ(SetupIniMessage(1), "Eins");
    }
    LanguageScope english(1);
    EXPECT_EQ(SetupIniMessage(1), "");
    EXPECT_EQ(SetupIniControlMessage(1), "Message1 Not Found");
    EXPECT_EQ(SetupIniControlMessage(2), ""); // present but empty is no miss
}

TEST_F(SetupIniTest, MissingFileGivesEmptyOrNotFound) {
    LanguageScope french(0);
    EXPECT_EQ(SetupIniMessage(7), "");
    EXPECT_EQ(SetupIniControlMessage(7), "Message7 Not Found");
}
