#include "files/profile_text.h"

#include <gtest/gtest.h>

namespace {

constexpr const char *kIni = "; settings\r\n"
                             "[General]\r\n"
                             "  Product =  Demo Title  \r\n"
                             "quoted=\"  padded \"\r\n"
                             "empty=\r\n"
                             "product=second one is not read\r\n"
                             "[configuration]\r\n"
                             "diskspacereq=12\r\n"
                             "[general]\r\n"
                             "Exec=LATER.EXE\r\n";

TEST(ProfileText, NamesCompareWithoutCaseAndBlanksAroundThemGo) {
    EXPECT_EQ(ProfileValue(kIni, "general", "product"), "Demo Title");
    EXPECT_EQ(ProfileValue(kIni, "GENERAL", "PRODUCT"), "Demo Title");
    EXPECT_EQ(ProfileValue(kIni, "configuration", "diskspacereq"), "12");
    EXPECT_EQ(ProfileValue(kIni, "general", "quoted"), "  padded ");
    EXPECT_EQ(ProfileValue(kIni, "general", "empty"), "");
}

TEST(ProfileText, EntriesKnowTheirLine) {
    const std::optional<ProfileEntry> entry =
        FindProfileEntry(kIni, "configuration", "DiskSpaceReq");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->value, "12");
    EXPECT_EQ(entry->line, 8);
    EXPECT_EQ(FindProfileEntry("product=x\n[general]\nproduct=y", "general", "product")->line, 3);
}

TEST(ProfileText, MissingKeysAndSectionsAreNothing) {
    EXPECT_EQ(ProfileValue(kIni, "general", "installdirectory"), std::nullopt);
    EXPECT_EQ(ProfileValue(kIni, "setup", "rechname"), std::nullopt);
    // Only the first section of a name is read.
    EXPECT_EQ(ProfileValue(kIni, "general", "Exec"), std::nullopt);
    EXPECT_EQ(ProfileValue("", "general", "product"), std::nullopt);
    EXPECT_EQ(ProfileValue("[general", "general", "product"), std::nullopt);
}

TEST(ProfileText, BufferCutKeepsCapacityLessOneCharacters) {
    const std::string value(300, 'v');
    EXPECT_EQ(ProfileValueCut(value, 256).size(), 255u);
    EXPECT_EQ(ProfileValueCut(value, 80), std::string(79, 'v'));
    EXPECT_EQ(ProfileValueCut("short", 80), "short");
    EXPECT_EQ(ProfileValueCut("x", 0), "");
}

} // namespace
