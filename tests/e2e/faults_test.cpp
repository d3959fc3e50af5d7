// Faults in the middle of a whole installation, through the window: a file
// held open by another program, a read-only installed file, an install
// directory that is a file, and a second setup started meanwhile. The user
// sees the file-error text with the file's name, the script goes on, nothing
// installed before is lost, no temporary file stays, and a second run with
// the fault gone completes the installation.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace e2e;

namespace {

std::string ReadAll(const std::string &path) {
    return ReadBytes(path);
}

void PutFile(const std::string &path, const std::string &bytes) {
    ASSERT_TRUE(WriteBytes(path, bytes)) << path;
}

void Clear(const std::string &dir) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string path = dir + "\\" + found.cFileName;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(dir.c_str());
    DeleteFileA(dir.c_str());
}

// An English CD with the sample catalogs that installs A.DAT and B.DAT
// into C:\<dir>.
std::map<std::string, std::string> TwoFileCd(const std::string &dir,
                                             const std::string &extra = "") {
    auto files = CdWithCatalogs('A');
    files["PXD.INI"] = "[general]\r\nproduct=Demo Title\r\nsourcedirectory=.\r\n"
                       "installdirectory=\\" +
                       dir + "\r\n[configuration]\r\ndiskspacereq=1\r\n";
    files["SETUP.INF"] = extra + "MKDIR *DESTDIR\r\nPROGRESS START\r\nCOPY A.DAT *DESTDIR\r\n"
                                 "COPY B.DAT *DESTDIR\r\nPROGRESS END\r\nALLDONE\r\n";
    files["A.DAT"] = std::string(300000, 'a'); // more than one block
    files["B.DAT"] = "new b";
    return files;
}

// Selects the drive list's line of a drive letter, as a click would.
bool SelectDrive(HWND window, char letter) {
    HWND list = GetDlgItem(window, 1023);
    const std::vector<std::string> lines = ui::ListLines(list);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].empty() && lines[i][0] == letter) {
            SendMessageA(list, LB_SETCURSEL, i, 0);
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(1023, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            for (int wait = 0; wait < 200 && !IsWindowEnabled(GetDlgItem(window, 1012)); ++wait)
                Sleep(10);
            return IsWindowEnabled(GetDlgItem(window, 1012)) != FALSE;
        }
    }
    return false;
}

// Starts setup, presses Install on the drive (C: unless told) and answers
// every box with OK until the closing message; returns the texts seen
// before it.
std::vector<std::string> InstallAnsweringAll(const std::string &cdDir, std::string &closing,
                                             char drive = 'C') {
    std::vector<std::string> seen;
    ui::Program setup(kSetupExe, cdDir);
    HWND window = WaitForMainWindow(setup);
    if (!window)
        return {"<no window>"};
    Sleep(100);
    if (drive != 'C' && !SelectDrive(window, drive))
        return {"<drive not offered>"};
    ui::PostClick(window, 1012);
    for (int boxes = 0; boxes < 10; ++boxes) {
        const Box box = WaitForBox(setup, 30000);
        if (!box.window)
            break;
        if (box.text == "Setup is finished.") {
            closing = box.text;
            PostMessageA(box.window, WM_COMMAND, IDOK, 0);
            break;
        }
        seen.push_back(box.caption + "|" + box.text);
        PostMessageA(box.window, WM_COMMAND, IDOK, 0);
        Sleep(200);
    }
    EXPECT_EQ(setup.WaitExit(15000), 0u);
    return seen;
}

} // namespace

TEST(Faults, FileHeldOpenByAnotherProgramIsReportedAndKept) {
    const std::string target = "C:\\e2e-held";
    Clear(target);
    CreateDirectoryA(target.c_str(), nullptr);
    PutFile(target + "\\A.DAT", "old a");
    Cd cd("faults-held", TwoFileCd("e2e-held"));
    std::string closing;
    {
        HANDLE held = CreateFileA((target + "\\A.DAT").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const auto seen = InstallAnsweringAll(cd.Dir(), closing);
        CloseHandle(held);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].rfind("Setup|", 0), 0u) << seen[0];
        // The failed step names its file: the copy in the install directory.
        EXPECT_NE(seen[0].find(target + "\\"), std::string::npos) << seen[0];
    }
    EXPECT_EQ(closing, "Setup is finished."); // the script went on
    EXPECT_EQ(ReadAll(target + "\\A.DAT"), "old a");
    EXPECT_EQ(ReadAll(target + "\\B.DAT"), "new b");
    EXPECT_FALSE(Exists(target + "\\$$$$$$$$.TMP"));

    // With the other program gone, the next run completes the installation.
    closing.clear();
    EXPECT_TRUE(InstallAnsweringAll(cd.Dir(), closing).empty());
    EXPECT_EQ(closing, "Setup is finished.");
    EXPECT_EQ(ReadAll(target + "\\A.DAT"), std::string(300000, 'a'));
    Clear(target);
}

TEST(Faults, ReadOnlyInstalledFileIsReplacedWithoutATrace) {
    const std::string target = "C:\\e2e-readonly";
    Clear(target);
    CreateDirectoryA(target.c_str(), nullptr);
    PutFile(target + "\\B.DAT", "old b");
    SetFileAttributesA((target + "\\B.DAT").c_str(), FILE_ATTRIBUTE_READONLY);
    Cd cd("faults-readonly", TwoFileCd("e2e-readonly"));
    std::string closing;
    const auto seen = InstallAnsweringAll(cd.Dir(), closing);
    EXPECT_EQ(closing, "Setup is finished.");
    // Either replaced, or reported and kept whole: never lost or cut.
    const std::string b = ReadAll(target + "\\B.DAT");
    if (seen.empty())
        EXPECT_EQ(b, "new b");
    else
        EXPECT_EQ(b, "old b");
    EXPECT_EQ(ReadAll(target + "\\A.DAT"), std::string(300000, 'a'));
    EXPECT_FALSE(Exists(target + "\\$$$$$$$$.TMP"));
    Clear(target);
}

TEST(Faults, InstallDirectoryThatIsAFileGivesFileErrorsAndAnEnd) {
    const std::string target = "C:\\e2e-isafile";
    Clear(target);
    PutFile(target, "I am a file");
    Cd cd("faults-isafile", TwoFileCd("e2e-isafile"));
    std::string closing;
    const auto seen = InstallAnsweringAll(cd.Dir(), closing);
    EXPECT_EQ(closing, "Setup is finished.");
    ASSERT_EQ(seen.size(), 2u); // one box per file, each naming where it was written
    for (const std::string &text : seen) {
        EXPECT_EQ(text.rfind("Setup|Path not found:", 0), 0u) << text;
        EXPECT_NE(text.find(target + "\\"), std::string::npos) << text;
    }
    EXPECT_EQ(ReadAll(target), "I am a file");
    Clear(target);
}

TEST(Faults, TargetDiskFillsUpHalfWay) {
    // A 2 MB disk (the files tests' tmpfs) below drive E:.
    const std::string disk = "E:\\files-full";
    ULARGE_INTEGER callerFree{}, total{}, totalFree{};
    if (!GetDiskFreeSpaceExA((disk + "\\").c_str(), &callerFree, &total, &totalFree) ||
        total.QuadPart > (8u << 20)) {
        GTEST_SKIP() << "no small disk at " << disk;
    }
    const std::string target = disk + "\\e2e-full";
    Clear(target);
    CreateDirectoryA(target.c_str(), nullptr);
    PutFile(target + "\\B.DAT", "old b"); // installed before
    auto files = TwoFileCd("files-full\\e2e-full");
    // NODELETE keeps the installed file out of the clean-up before copying.
    files["SETUP.INF"] =
        "NODELETE *.*\r\nMKDIR *DESTDIR\r\nPROGRESS START\r\nCOPY B.DAT *DESTDIR\r\n"
        "COPY A.DAT *DESTDIR\r\nPROGRESS END\r\nALLDONE\r\n";
    files["B.DAT"] = std::string(3u << 20, 'b'); // more than the disk holds
    Cd cd("faults-full", files);
    std::string closing;
    const auto seen = InstallAnsweringAll(cd.Dir(), closing, 'E');
    ASSERT_EQ(seen.size(), 1u) << (seen.empty() ? "" : seen[0]);
    EXPECT_EQ(seen[0].rfind("Setup|Disk full:", 0), 0u) << seen[0];
    EXPECT_EQ(closing, "Setup is finished."); // the next file went on
    EXPECT_EQ(ReadAll(target + "\\B.DAT"), "old b");
    EXPECT_EQ(ReadAll(target + "\\A.DAT"), std::string(300000, 'a'));
    EXPECT_FALSE(Exists(target + "\\$$$$$$$$.TMP"));
    Clear(target);
}

TEST(Faults, CdThatDisappearsHalfWayEndsTheInstallCleanly) {
    const std::string target = "C:\\e2e-vanish";
    Clear(target);
    // The write pause keeps the first file on its way while the CD goes.
    auto files = TwoFileCd("e2e-vanish", "WAITWRITE 50\r\n");
    Cd cd("faults-vanish", files);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);
    for (int i = 0; i < 300 && !IsWindowVisible(GetDlgItem(window, 1031)); ++i)
        Sleep(10);
    ASSERT_TRUE(DeleteFileA(cd.Path("B.DAT").c_str())); // the rest of the CD is gone
    const Box box = WaitForBox(setup, 30000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished.");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);
    EXPECT_EQ(ReadAll(target + "\\A.DAT"), files["A.DAT"]); // what was on its way is whole
    EXPECT_FALSE(Exists(target + "\\B.DAT"));
    EXPECT_FALSE(Exists(target + "\\$$$$$$$$.TMP"));

    // With the CD back, the next run completes the installation.
    PutFile(cd.Path("B.DAT"), files["B.DAT"]);
    std::string closing;
    EXPECT_TRUE(InstallAnsweringAll(cd.Dir(), closing).empty());
    EXPECT_EQ(closing, "Setup is finished.");
    EXPECT_EQ(ReadAll(target + "\\B.DAT"), "new b");
    Clear(target);
}

TEST(Faults, SecondSetupDuringAnInstallationEndsSilently) {
    const std::string target = "C:\\e2e-second";
    Clear(target);
    // The write pause keeps the first setup busy for a few seconds.
    Cd cd("faults-second", TwoFileCd("e2e-second", "WAITWRITE 100\r\n"));
    ui::Program first(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(first);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);
    for (int i = 0; i < 200 && !IsWindowVisible(GetDlgItem(window, 1031)); ++i)
        Sleep(10);
    {
        ui::Program second(kSetupExe, cd.Dir());
        EXPECT_EQ(second.WaitExit(10000), 0u);
        EXPECT_TRUE(ui::WindowsOf(second.Id()).empty());
    }
    EXPECT_TRUE(first.Running()); // undisturbed
    const Box box = WaitForBox(first, 30000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished.");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(first.WaitExit(15000), 0u);
    EXPECT_EQ(ReadAll(target + "\\A.DAT"), std::string(300000, 'a'));
    Clear(target);
}
