#include "messages/language.h"
#include "messages/text_ids.h"

#include <gtest/gtest.h>

#include <string>

TEST(Language, MarkerLettersGiveTheirIndexAndOthersFallBackToFrench) {
    const std::string letters = "FADEIU";
    for (int i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(LanguageIndexOf(letters[i]), i);
        EXPECT_EQ(MarkerLetterOf(i), letters[i]);
    }
    EXPECT_EQ(LanguageIndexOf('G'), 0);
    EXPECT_EQ(LanguageIndexOf('a'), 0); // lower case is not a marker letter
    EXPECT_EQ(LanguageIndexOf('\0'), 0);
    EXPECT_EQ(MarkerLetterOf(9), 'F');
}

TEST(Language, SectionsAreAnsiBytes) {
    EXPECT_EQ(std::string(SetupIniSection(0)), "Fran\xE7"
                                               "ais");
    EXPECT_EQ(std::string(SetupIniSection(2)), "Deutch");
    EXPECT_EQ(std::string(SetupIniSection(3)), "Espa\xF1"
                                               "ol");
    EXPECT_EQ(std::string(SetupIniSection(5)), "American");
    EXPECT_EQ(std::string(SetupIniSection(-1)), SetupIniSection(0));
}

TEST(Language, CatalogFieldLettersFollowTheColumnMapping) {
    EXPECT_EQ(CatalogFieldLetter('F'), 'F');
    EXPECT_EQ(CatalogFieldLetter('A'), 'A');
    EXPECT_EQ(CatalogFieldLetter('D'), 'G');
    EXPECT_EQ(CatalogFieldLetter('N'), 'D');
    EXPECT_EQ(CatalogFieldLetter('E'), 'E');
    EXPECT_EQ(CatalogFieldLetter('I'), 'I');
    EXPECT_EQ(CatalogFieldLetter('U'), 'U');
    EXPECT_EQ(CatalogFieldLetter('H'), 'H');
    EXPECT_EQ(CatalogFieldLetter('J'), 'J');
    EXPECT_EQ(CatalogFieldLetter('K'), 'K');
    EXPECT_EQ(CatalogFieldLetter('P'), 'P');
    EXPECT_EQ(CatalogFieldLetter('Q'), 'Q');
    EXPECT_EQ(CatalogFieldLetter('?'), 'F');
    EXPECT_EQ(CatalogFieldLetter('Z'), 'F');
}

TEST(Language, OnlyTheClosingMessagesHaveCatalogNames) {
    for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_STREQ(CatalogNameOfMessage(kTextFinished + language), "END_INSTALL");
        EXPECT_STREQ(CatalogNameOfMessage(kTextFinishedRestart + language), "END_INSTALL_REBOOT");
    }
    EXPECT_EQ(CatalogNameOfMessage(kTextInsertDiskOne), nullptr);
    EXPECT_EQ(CatalogNameOfMessage(kTextFinished - 1), nullptr);
    EXPECT_EQ(CatalogNameOfMessage(kTextFinishedRestart + kLanguageCount), nullptr);
}
