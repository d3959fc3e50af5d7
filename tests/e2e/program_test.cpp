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
