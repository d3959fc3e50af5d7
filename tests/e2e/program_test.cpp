// An installation that starts programs: EXECUTE of the probe and a
// versioned INSTALL whose installer is the probe, both awaited with the
// main window hidden, and the closing message after them.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace e2e;

namespace {

std::string ReadAll(const std::string &path) {
    return ReadBytes(path);
}

} // namespace

TEST(Programs, ExecuteAndVersionedInstallRunTheProbeBeforeTheClosingMessage) {
    const std::string probe = ReadAll("E:\\system-probe\\run_probe.exe");
    ASSERT_FALSE(probe.empty()) << "the probe is copied to E: before the scenarios";
    auto files = ScriptCd("e2e-programs", "");
    files["run_probe.exe"] = probe;
    // The probe's own version is 4.71.10.5: 9.0 is wanted, so it runs again.
    files["SETUP.INF"] = "EXECUTE run_probe.exe|sleep1500 *SOURCEDIR\r\n"
                         "INSTALL run_probe.exe *SOURCEDIR 9.0 run_probe.exe *SOURCEDIR\r\n"
                         "INSTALL run_probe.exe *SOURCEDIR 4.71.10.5 run_probe.exe *SOURCEDIR\r\n"
                         "ALLDONE\r\n";
    Cd cd("programs", files);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);

    // The window is hidden while the probe sleeps.
    bool hidden = false;
    for (int i = 0; i < 300 && !hidden; ++i) {
        hidden = !IsWindowVisible(window);
        Sleep(5);
    }
    EXPECT_TRUE(hidden);

    const Box box = WaitForBox(setup, 30000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished.");
    EXPECT_TRUE(IsWindowVisible(window)); // shown again
    // Two starts (EXECUTE and the older-version INSTALL), each writing its
    // command line and directory; the equal version did not run.
    const std::string out = ReadAll(cd.Path("probe-out.txt"));
    const std::string dir = cd.Dir();
    EXPECT_EQ(out, dir + "\\run_probe.exe sleep1500\r\n" + dir + "\r\n" + dir +
                       "\\run_probe.exe\r\n" + dir + "\r\n")
        << out;
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);
}

// On the NT family a program a pupil left in the install folder, dated
// later than the CD's, is replaced by the CD's before setup starts it.
TEST(Programs, ANewerProgramLeftInTheInstallFolderIsNotStarted) {
    const std::string dir = "C:\\e2e-newer";
    const std::string probe = ReadAll("E:\\system-probe\\run_probe.exe");
    ASSERT_FALSE(probe.empty()) << "the probe is copied to E: before the scenarios";
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "\\BIN").c_str(), nullptr);
    const std::string pupils = dir + "\\BIN\\HELPER.EXE";
    ASSERT_TRUE(WriteBytes(pupils, probe + "the pupil's"));
    HANDLE file =
        CreateFileA(pupils.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME later{2099, 1, 0, 1, 12, 0, 0, 0};
    FILETIME stamp{};
    SystemTimeToFileTime(&later, &stamp);
    SetFileTime(file, nullptr, nullptr, &stamp);
    CloseHandle(file);
    auto files = ScriptCd("e2e-newer", "MKDIR BIN *DESTDIR\r\nCOPY BIN\\HELPER.EXE *DESTDIR\r\n"
                                       "EXECUTE BIN\\HELPER.EXE *DESTDIR\r\nALLDONE\r\n");
    files["BIN\\HELPER.EXE"] = probe;
    Cd cd("programs-newer", files);
    ui::Program setup(NtSetupExe(), cd.Dir(), "/S");
    EXPECT_EQ(setup.WaitExit(30000), 0u);

    EXPECT_TRUE(ReadAll(pupils) == probe) << "the pupil's file is still there";
    // The CD's program ran, once.
    EXPECT_EQ(ReadAll(dir + "\\probe-out.txt"), pupils + "\r\n" + dir + "\r\n");
    RemoveTree(dir);
}
