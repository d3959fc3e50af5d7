#include "messages/text_format.h"

#include <gtest/gtest.h>

TEST(InsertString, ReplacesTheFirstMarkerOnly) {
    EXPECT_EQ(InsertString("Version [Insert String Here] found", "7.0"), "Version 7.0 found");
    EXPECT_EQ(InsertString("[Insert String Here]/[Insert String Here]", "a"),
              "a/[Insert String Here]");
    EXPECT_EQ(InsertString("No marker here", "x"), "No marker here");
    EXPECT_EQ(InsertString("[Insert String Here", "x"), "[Insert String Here");
}

TEST(SetupIniText, CurrencySignBreaksTheLine) {
    EXPECT_EQ(CurrencySignsToLineFeeds("one\xA4two\xA4"), "one\ntwo\n");
    EXPECT_EQ(CurrencySignsToLineFeeds("plain"), "plain");
    EXPECT_EQ(MessageKey(12), "Message12");
    EXPECT_EQ(NotFoundText(MessageKey(3)), "Message3 Not Found");
}
