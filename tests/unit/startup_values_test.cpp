// What start-up reads off the CD: the marker name, PXD.INI values, the
// welcome text and the clock check.

#include "app/year_check.h"
#include "core/ascii.h"
#include "ui/marker_name.h"
#include "ui/product_values.h"
#include "ui/welcome_text.h"

#include <gtest/gtest.h>

TEST(MarkerName, DiskOneMarkerGivesCodeLanguageAndVersion) {
    const MarkerInfo info = ParseMarkerName("ABCDF110.CD1");
    EXPECT_TRUE(info.diskOne);
    EXPECT_EQ(info.productCode, "ABCD");
    EXPECT_EQ(info.languageLetter, 'F');
    EXPECT_EQ(info.version, 110);

    const MarkerInfo lower = ParseMarkerName("abcdA205.cd1");
    EXPECT_EQ(lower.productCode, "ABCD");
    EXPECT_EQ(lower.languageLetter, 'A');
    EXPECT_EQ(lower.version, 205);

    // A marker stored in lower case is still read in capitals: "a" is English.
    EXPECT_EQ(ParseMarkerName("demoa110.cd1").languageLetter, 'A');
    EXPECT_EQ(ParseMarkerName("demod110.cd1").languageLetter, 'D');
}

TEST(MarkerName, OtherDisksAndMissingMarkersAreNotDiskOne) {
    EXPECT_FALSE(ParseMarkerName("ABCDF110.CD2").diskOne);
    EXPECT_FALSE(ParseMarkerName("").diskOne);
    EXPECT_FALSE(ParseMarkerName("ABCDF110.CD").diskOne);
}

TEST(MarkerName, OddShapesStayInBounds) {
    // Too short for a language or a version.
    const MarkerInfo shortName = ParseMarkerName("AB1");
    EXPECT_TRUE(shortName.diskOne);
    EXPECT_EQ(shortName.productCode, "AB1");
    EXPECT_EQ(shortName.languageLetter, 0);
    EXPECT_EQ(shortName.version, 0);

    // No digits where the version stands.
    EXPECT_EQ(ParseMarkerName("ABCDFXYZ.CD1").version, 0);
    // At most three digits are the version; the rest belongs to the suffix.
    EXPECT_EQ(ParseMarkerName("ABCDF12345.CD1").version, 123);
    // A very long name is read no further than its fields.
    const std::string longName(5000, 'Z');
    const MarkerInfo huge = ParseMarkerName(longName + "1");
    EXPECT_EQ(huge.productCode, "ZZZZ");
    EXPECT_EQ(huge.version, 0);
}

TEST(ProductValues, MegabytesBecomeBytesAndWrapAt4096) {
    EXPECT_EQ(MegabytesToBytes("12"), 12u << 20);
    EXPECT_EQ(MegabytesToBytes("  7MB"), 7u << 20);
    EXPECT_EQ(MegabytesToBytes("+3"), 3u << 20);
    EXPECT_EQ(MegabytesToBytes(""), 0u);
    EXPECT_EQ(MegabytesToBytes("abc"), 0u);
    EXPECT_EQ(MegabytesToBytes("4095"), 4095u << 20);
    EXPECT_EQ(MegabytesToBytes("4096"), 0u);
    EXPECT_EQ(MegabytesToBytes("4097"), 1u << 20);
    EXPECT_EQ(MegabytesToBytes("99999999999999999999"), MegabytesToBytes("99999999999999999999"));
}

TEST(ProductValues, DirectoriesOfTheCd) {
    EXPECT_EQ(SourceDirectoryOf("D:\\", "."), "D:\\");
    EXPECT_EQ(SourceDirectoryOf("D:\\", "DATA"), "D:\\DATA\\");
    EXPECT_EQ(SourceDirectoryOf("D:\\CD\\", "DATA\\"), "D:\\CD\\DATA\\");
    EXPECT_EQ(BarsToBlanks("\\Program|Files\\Prod"), "\\Program Files\\Prod");
    EXPECT_EQ(WithBackslash("C:\\WINDOWS"), "C:\\WINDOWS\\");
    EXPECT_EQ(WithBackslash("C:\\"), "C:\\");
    EXPECT_EQ(WithBackslash(""), "");
}

TEST(WelcomeText, EachLanguageWritesItsUnit) {
    WelcomeParts parts;
    parts.titlePrefix = "Setup programme for: ";
    parts.product = "Demo Title";
    parts.version = 110;
    parts.requiredLabel = "Free hard disk space required: ";
    parts.requiredBytes = 12u << 20;
    parts.languageIndex = 1;
    EXPECT_EQ(ComposeWelcomeText(parts),
              "Setup programme for: \nDemo Title V.1.10\nFree hard disk space required: 12 Mb");
    parts.languageIndex = 2;
    EXPECT_NE(ComposeWelcomeText(parts).find("12 MB"), std::string::npos);
    parts.languageIndex = 0;
    EXPECT_NE(ComposeWelcomeText(parts).find("12 Mo."), std::string::npos);
    parts.languageIndex = 5;
    EXPECT_NE(ComposeWelcomeText(parts).find("12 Mo."), std::string::npos);
}

TEST(WelcomeText, VersionAndSpaceFormats) {
    WelcomeParts parts;
    parts.version = 5;
    parts.requiredBytes = (3u << 20) + 1000; // part megabytes are dropped
    EXPECT_EQ(ComposeWelcomeText(parts), "\n V.0.05\n3 Mo.");
    parts.version = 1234;
    EXPECT_EQ(ComposeWelcomeText(parts), "\n V.12.34\n3 Mo.");
}

TEST(YearCheck, TheCutOffYearIsTheFirstRefused) {
    EXPECT_TRUE(IsYearAccepted(2026));
    EXPECT_TRUE(IsYearAccepted(kFirstRefusedYear - 1));
    EXPECT_FALSE(IsYearAccepted(kFirstRefusedYear));
    EXPECT_FALSE(IsYearAccepted(kFirstRefusedYear + 1));
}
