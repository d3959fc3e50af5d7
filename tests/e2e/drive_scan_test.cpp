// The drive list of the Wine world: C: and E: are hard disks, D: is the
// CD-ROM. What each line says, which line is chosen, and when Install may
// be pressed.

#include "e2e_support.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace e2e;

namespace {

// A first CD in English whose product goes to \<installDir> and needs
// diskspacereq megabytes.
std::map<std::string, std::string> EnglishCd(const std::string &installDir,
                                             const std::string &diskspacereq = "12") {
    auto files = ValidCd('A');
    files["PXD.INI"] = "[general]\r\nproduct=Demo Title\r\nsourcedirectory=.\r\n"
                       "installdirectory=\\" +
                       installDir +
                       "\r\n[configuration]\r\n"
                       "diskspacereq=" +
                       diskspacereq + "\r\ndiskspacereqreins=4\r\n";
    return files;
}

void PutFile(const std::string &path, const std::string &bytes) {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// An installation left on drive E: in \<dir>.
void InstalledOnE(const std::string &dir, const std::string &marker) {
    const std::string path = "E:\\" + dir;
    for (const char *old : {"DEMOA110.CD1", "DEMOA205.CD1", "DEMOF205.CD1"})
        DeleteFileA((path + "\\" + old).c_str());
    CreateDirectoryA(path.c_str(), nullptr);
    PutFile(path + "\\" + marker, "disk 1\r\n");
}

void SelectLine(HWND window, int index) {
    HWND list = GetDlgItem(window, 1023);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(1023, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Sleep(200); // the 1 ms timer reacts
}

} // namespace

TEST(DriveScan, HardDisksAreListedNotTheCdRom) {
    Cd cd("scan-disks", EnglishCd("Scan Disks"));
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(300);
    Screenshot("drive-scan");

    const std::vector<std::string> lines = ui::ListLines(GetDlgItem(window, 1023));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("C:\\Scan Disks   [Free space: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("E:\\Scan Disks   [Free space: ", 0), 0u) << lines[1];
    for (const std::string &line : lines) {
        EXPECT_EQ(line.back(), ']') << line;
        // "> 2 Gb" or a number with the English unit.
        const bool units = line.find(" Gb]") != std::string::npos ||
                           line.find(" Mb]") != std::string::npos ||
                           line.find("> 2 Gb]") != std::string::npos;
        EXPECT_TRUE(units) << line;
    }
    EXPECT_EQ(SendDlgItemMessageA(window, 1023, LB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 1012)));
    QuitAndExpectEnd(setup, window);
}

TEST(DriveScan, SameVersionOnEIsOfferedAsAReinstallation) {
    InstalledOnE("Scan Same", "DEMOA110.CD1");
    Cd cd("scan-same", EnglishCd("Scan Same"));
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> lines = ui::ListLines(GetDlgItem(window, 1023));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "E:\\Scan Same   [Detected version : 1.10]");
    // C: comes first and has room, so it stays the default.
    EXPECT_EQ(SendDlgItemMessageA(window, 1023, LB_GETCURSEL, 0, 0), 0);

    SelectLine(window, 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 1012)));
    // The welcome text now asks for the reinstallation's room.
    EXPECT_NE(ui::ControlText(window, 1000).find("required: 4 Mb"), std::string::npos)
        << ui::ControlText(window, 1000);
    SelectLine(window, 0);
    EXPECT_NE(ui::ControlText(window, 1000).find("required: 12 Mb"), std::string::npos)
        << ui::ControlText(window, 1000);
    QuitAndExpectEnd(setup, window);
}

TEST(DriveScan, NewerVersionOnEDisablesThatDrive) {
    InstalledOnE("Scan Newer", "DEMOA205.CD1");
    Cd cd("scan-newer", EnglishCd("Scan Newer"));
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> lines = ui::ListLines(GetDlgItem(window, 1023));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "E:\\Scan Newer   [Detected version : 2.05]");

    SelectLine(window, 1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 1012)));
    SelectLine(window, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 1012)));
    QuitAndExpectEnd(setup, window);
}

TEST(DriveScan, NoDiskWithRoomSaysSoAndEnds) {
    // 4000 MB is more than the list ever counts (2 GB).
    Cd cd("scan-full", EnglishCd("Scan Full", "4000"));
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "There is not enough free space on the hard drives to set up this "
                        "product.\nPlease free enough space on one of your drives, then start the "
                        "setup again.\n\nFree hard disk space required: 4000 Mb");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(10000), 0u);
}

TEST(DriveScan, CatalogTextsDescribeTheDrivesInFrench) {
    auto files = CdWithCatalogs('F');
    files["PXD.INI"] = EnglishCd("Scan Catalog")["PXD.INI"];
    InstalledOnE("Scan Catalog", "DEMOF205.CD1");
    Cd cd("scan-catalog", files);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> lines = ui::ListLines(GetDlgItem(window, 1023));
    ASSERT_EQ(lines.size(), 2u);
    // The catalog's LIBRE with its French units, or its "more than 2 GB".
    EXPECT_EQ(lines[0].rfind("C:\\Scan Catalog   [Espace libre :", 0), 0u) << lines[0];
    const bool french = lines[0].find(" Go]") != std::string::npos ||
                        lines[0].find(" Mo]") != std::string::npos ||
                        lines[0].find("> 2 Go]") != std::string::npos;
    EXPECT_TRUE(french) << lines[0];
    EXPECT_EQ(lines[1], "E:\\Scan Catalog   [Version d\xE9tect\xE9\x65 :2.05]");
    QuitAndExpectEnd(setup, window);
}

TEST(DriveScan, NoDiskWithRoomTakesTheCatalogText) {
    auto files = CdWithCatalogs('A');
    files["PXD.INI"] = EnglishCd("Scan Full Catalog", "4000")["PXD.INI"];
    Cd cd("scan-full-catalog", files);
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "There is not enough free space on the hard drives to set up this "
                        "product.\nPlease free enough space on one of your drives, then start the "
                        "setup again.");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(10000), 0u);
}
