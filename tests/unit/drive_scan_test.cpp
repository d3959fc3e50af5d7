// The drive list: entry descriptions in each language, list lines, and the
// scan's decisions over a made-up set of drives.

#include "ui/drive_entry.h"
#include "ui/drive_scan.h"
#include "core/run_state.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr std::uint32_t kMb = 1048576;

DriveTexts English() {
    return BuiltInDriveTexts(1, "Detected version : ", "Free space: ");
}

} // namespace

TEST(DriveDescription, FreeSpaceUnitsFollowTheLanguage) {
    EXPECT_EQ(FreeSpaceDescription(English(), 1536 * kMb), "Free space:    1.50  Gb");
    EXPECT_EQ(FreeSpaceDescription(English(), 700 * kMb), "Free space:  700.00  Mb");
    EXPECT_EQ(FreeSpaceDescription(BuiltInDriveTexts(2, "", "Frei: "), 700 * kMb),
              "Frei:  700.00  MB");
    EXPECT_EQ(FreeSpaceDescription(BuiltInDriveTexts(2, "", ""), 1536 * kMb), "   1.50  GB");
    for (int french : {0, 3, 4, 5}) {
        EXPECT_EQ(FreeSpaceDescription(BuiltInDriveTexts(french, "", ""), 700 * kMb), " 700.00  Mo")
            << french;
        EXPECT_EQ(FreeSpaceDescription(BuiltInDriveTexts(french, "", ""), 1536 * kMb),
                  "   1.50  Go")
            << french;
    }
}

TEST(DriveDescription, TwoGigabytesAndMoreAreNotCounted) {
    EXPECT_EQ(FreeSpaceDescription(English(), kFreeSpaceCap), "Free space: > 2 Gb");
    EXPECT_EQ(FreeSpaceDescription(BuiltInDriveTexts(2, "", ""), CapFreeBytes(3ull << 30)),
              "> 2 GB");
    EXPECT_EQ(FreeSpaceDescription(BuiltInDriveTexts(0, "", ""), 0xFFFFFFFFu), "> 2 Go");
    // Just below the cap is still a number of gigabytes.
    EXPECT_EQ(FreeSpaceDescription(English(), kFreeSpaceCap - 1), "Free space:    2.00  Gb");
    EXPECT_EQ(CapFreeBytes(1ull << 32), kFreeSpaceCap);
    EXPECT_EQ(CapFreeBytes(12345), 12345u);
    // The clusters of a drive with 8 GB free do not wrap to a small room.
    EXPECT_EQ(FreeBytesOfClusters(8, 512, 2u << 20), kFreeSpaceCap);
    EXPECT_EQ(FreeBytesOfClusters(64, 512, 0xFFFFFFFFu), kFreeSpaceCap);
    EXPECT_EQ(FreeBytesOfClusters(8, 512, 100), 409600u);
}

TEST(DriveDescription, SmallAmountsAndTheGigabyteBoundary) {
    EXPECT_EQ(FreeSpaceDescription(English(), 0), "Free space:    0.00  Mb");
    EXPECT_EQ(FreeSpaceDescription(English(), 1023 * kMb + kMb / 2), "Free space: 1023.50  Mb");
    EXPECT_EQ(FreeSpaceDescription(English(), 1024 * kMb), "Free space:    1.00  Gb");
}

TEST(DriveDescription, VersionsAndCatalogTexts) {
    EXPECT_EQ(VersionDescription(English(), 110), "Detected version : 1.10");
    EXPECT_EQ(VersionDescription(English(), 5), "Detected version : 0.05");
    DriveTexts catalog{"Version : ", "Libre : ", " GO!", " MO!", "plus de 2"};
    EXPECT_EQ(FreeSpaceDescription(catalog, 10 * kMb), "Libre :   10.00  MO!");
    EXPECT_EQ(FreeSpaceDescription(catalog, kFreeSpaceCap), "Libre : plus de 2");
}

TEST(DriveListLine, PathWithoutBackslashThenBracketedDescription) {
    const std::string line = DriveListLine("C:\\Demo Title\\", "Free space: > 2 Gb");
    EXPECT_EQ(line, "C:\\Demo Title   [Free space: > 2 Gb]");
    EXPECT_EQ(DriveListLine("C:\\", "x"), "C:   [x]");
}

TEST(MarkerPatterns, VersionDigitsBeforeTheExtension) {
    EXPECT_EQ(MarkerVersion("DEMOA110.CD1"), 110);
    EXPECT_EQ(MarkerVersion("DEMOA205.CD1"), 205);
    EXPECT_EQ(MarkerVersion("DEMOAXYZ.CD1"), 0);
    EXPECT_EQ(MarkerVersion("CD1"), 0);
    EXPECT_EQ(AnyVersionPattern("DEMOA110.CD1"), "DEMOA???.CD1");
    EXPECT_EQ(AnyVersionPattern("A.CD1"), "A.CD1");
}

namespace {

// Drives by letter; files by full path.
class FakeDrives : public DriveProbes {
public:
    std::map<char, std::uint32_t> disks; // letter -> free bytes
    std::set<std::string> files;
    std::string rechname;
    int rechver = 0;
    int rechnameProbes = 0;

    bool MayHoldProduct(const std::string &root) override { return disks.count(root[0]) != 0; }
    bool FileExists(const std::string &path) override {
        if (!rechname.empty() && path.size() >= rechname.size() &&
            path.compare(path.size() - rechname.size(), rechname.size(), rechname) == 0)
            ++rechnameProbes;
        return files.count(path) != 0;
    }
    std::string FirstMatch(const std::string &pattern) override {
        for (const std::string &file : files) {
            if (Matches(pattern, file))
                return file.substr(file.rfind('\\') + 1);
        }
        return {};
    }
    std::uint32_t FreeBytes(const std::string &root) override { return disks.at(root[0]); }
    std::string EarlierInstallFile() override { return rechname; }
    int EarlierInstallVersion() override { return rechver; }

private:
    static bool Matches(const std::string &pattern, const std::string &name) {
        if (pattern.size() != name.size() && pattern.find('*') == std::string::npos)
            return false;
        std::size_t p = 0;
        std::size_t n = 0;
        while (p < pattern.size() && n < name.size()) {
            if (pattern[p] == '*') {
                // "*" only ever stands for a whole file name before ".CD1".
                const std::string tail = pattern.substr(p + 1);
                return name.size() >= tail.size() && name.rfind('\\') < n &&
                       name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
            }
            if (pattern[p] != '?' && pattern[p] != name[n])
                return false;
            ++p;
            ++n;
        }
        return p == pattern.size() && n == name.size();
    }
};

DriveScanInput DemoInput() {
    DriveScanInput input;
    input.installDir = "\\Demo Title";
    input.markerName = "DEMOA110.CD1";
    input.productVersion = 110;
    input.spaceFirstInstall = 12 * kMb;
    input.spaceReinstall = 4 * kMb;
    input.texts = English();
    return input;
}

} // namespace

TEST(DriveScan, SkippedLettersDoNotMoveTheDefaultSelection) {
    FakeDrives drives;
    drives.disks = {{'E', 100 * kMb}, {'G', 200 * kMb}}; // C:, D: and F: are no hard disks
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_EQ(result.entries[0].path, "E:\\Demo Title\\");
    EXPECT_EQ(result.entries[0].description, "Free space:  100.00  Mb");
    EXPECT_TRUE(result.entries[0].mayInstall);
    EXPECT_FALSE(result.entries[0].reinstall);
    EXPECT_EQ(result.defaultSelection, 0);
    EXPECT_FALSE(result.installationFound);
    EXPECT_FALSE(NoDiskHasRoom(result));
}

TEST(DriveScan, TooLittleRoomDisablesTheDriveAndTheFirstRoomyOneIsDefault) {
    FakeDrives drives;
    drives.disks = {{'C', 11 * kMb}, {'E', 12 * kMb}};
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_FALSE(result.entries[0].mayInstall);
    EXPECT_TRUE(result.entries[1].mayInstall); // exactly the room needed is enough
    EXPECT_EQ(result.defaultSelection, 1);
}

TEST(DriveScan, NoRoomAnywhereAndNothingInstalledAsksForSpace) {
    FakeDrives drives;
    drives.disks = {{'C', 1 * kMb}};
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.defaultSelection, -1);
    EXPECT_TRUE(NoDiskHasRoom(result));
    EXPECT_EQ(result.spaceRequired, 12 * kMb);
}

TEST(DriveScan, NoHardDiskGivesAnEmptyList) {
    FakeDrives none;
    const DriveScanResult result = ScanDrives(DemoInput(), none);
    EXPECT_TRUE(result.entries.empty());
    EXPECT_EQ(result.defaultSelection, -1);
}

TEST(DriveScan, ExactMarkerOffersReinstallationEvenWithoutRoom) {
    FakeDrives drives;
    drives.disks = {{'C', 0}, {'E', 100 * kMb}};
    drives.files = {"C:\\Demo Title\\DEMOA110.CD1"};
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_EQ(result.entries[0].description, "Detected version : 1.10");
    EXPECT_TRUE(result.entries[0].mayInstall);
    EXPECT_TRUE(result.entries[0].reinstall);
    EXPECT_EQ(result.defaultSelection, 0);
    EXPECT_TRUE(result.installationFound);
    // The last drive examined (E:) had no installation: the first-install value.
    EXPECT_EQ(result.spaceRequired, 12 * kMb);
}

TEST(DriveScan, NewerInstalledVersionDisablesItsDriveOlderOneIsAFirstInstall) {
    FakeDrives drives;
    drives.disks = {{'C', 0}, {'E', 0}};
    drives.files = {"C:\\Demo Title\\DEMOA205.CD1", "E:\\Demo Title\\DEMOA100.CD1"};
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_EQ(result.entries[0].description, "Detected version : 2.05");
    EXPECT_FALSE(result.entries[0].mayInstall);
    EXPECT_EQ(result.entries[1].description, "Detected version : 1.00");
    EXPECT_TRUE(result.entries[1].mayInstall);
    EXPECT_FALSE(result.entries[1].reinstall);
    EXPECT_EQ(result.defaultSelection, 1);
    EXPECT_FALSE(NoDiskHasRoom(result));
}

TEST(DriveScan, OtherProductsMarkerCountsAsFoundButRoomDecides) {
    FakeDrives drives;
    drives.disks = {{'C', 1 * kMb}};
    drives.files = {"C:\\Demo Title\\ZZZZF100.CD1", "C:\\Demo Title\\DEMO.EXE"};
    drives.rechname = "DEMO.EXE";
    drives.rechver = 90;
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].description, "Free space:    1.00  Mb");
    EXPECT_FALSE(result.entries[0].mayInstall);
    EXPECT_TRUE(result.installationFound);
    EXPECT_EQ(drives.rechnameProbes, 0); // the marker settled it first
    EXPECT_FALSE(NoDiskHasRoom(result)); // no message: something was found
}

TEST(DriveScan, EarlierInstallationByFileIsProbedOnlyUntilSomethingWasFound) {
    FakeDrives drives;
    drives.disks = {{'C', 0}, {'E', 0}, {'F', 50 * kMb}};
    drives.files = {"C:\\Demo Title\\DEMO.EXE", "E:\\Demo Title\\DEMO.EXE"};
    drives.rechname = "DEMO.EXE";
    drives.rechver = 90;
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    ASSERT_EQ(result.entries.size(), 3u);
    EXPECT_EQ(result.entries[0].description, "Detected version : 0.90");
    EXPECT_TRUE(result.entries[0].mayInstall);
    // E: holds the file too, but after C: it is judged by its room alone.
    EXPECT_EQ(result.entries[1].description, "Free space:    0.00  Mb");
    EXPECT_FALSE(result.entries[1].mayInstall);
    EXPECT_TRUE(result.entries[2].mayInstall);
    EXPECT_EQ(drives.rechnameProbes, 1);
    EXPECT_EQ(result.defaultSelection, 0);
}

TEST(DriveScan, ReinstallSpaceStaysOnlyWhenZHoldsTheProduct) {
    // Every letter up to Z starts from the first-install value again.
    FakeDrives drives;
    drives.disks = {{'C', 100 * kMb}, {'Z', 0}};
    drives.files = {"Z:\\Demo Title\\DEMOA110.CD1"};
    const DriveScanResult result = ScanDrives(DemoInput(), drives);
    EXPECT_EQ(result.spaceRequired, 4 * kMb);
    EXPECT_EQ(result.defaultSelection, 0);
}

TEST(DriveScan, InstallDirectoryEndingInBackslashGetsNoSecondOne) {
    FakeDrives drives;
    drives.disks = {{'C', 100 * kMb}};
    DriveScanInput input = DemoInput();
    input.installDir = "\\";
    const DriveScanResult result = ScanDrives(input, drives);
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].path, "C:\\");
}

TEST(DriveChoice, SlashDPicksItsDriveAndTheListsDefaultOtherwise) {
    std::vector<DriveEntry> entries(3);
    entries[0].path = "C:\\Demo\\";
    entries[0].mayInstall = true;
    entries[1].path = "D:\\Demo\\"; // too little room
    entries[2].path = "E:\\Demo\\";
    entries[2].mayInstall = true;
    const struct {
        const char *destination;
        int defaultSelection;
        int index;
    } kCases[] = {
        {"", 0, 0},          {"", -1, -1},         {"", 1, -1},          {"e:", 0, 2},
        {"E:\\Games", 0, 2}, {"D:\\Games", 0, -1}, {"F:\\Games", 0, -1},
    };
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.destination);
        const DriveChoice choice = ChooseDrive(entries, c.defaultSelection, c.destination);
        EXPECT_EQ(choice.index, c.index);
        EXPECT_EQ(choice.why.empty(), c.index >= 0);
    }
    EXPECT_EQ(InstallDirOfDestination("E:\\My Games\\Demo\\", "\\Demo"), "\\My Games\\Demo");
    EXPECT_EQ(InstallDirOfDestination("E:", "\\Demo"), "\\Demo");
    EXPECT_EQ(InstallDirOfDestination("E:\\", "\\Demo"), "\\Demo");
}
