// Start-up refusals: another setup running, a clock past the cut-off year,
// and CDs that lack what setup needs.

#include "e2e_support.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(Startup, SecondSetupEndsSilentlyWhileTheFirstRuns) {
    Cd cd("second", ValidCd('A'));
    ui::Program first(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(first);
    ASSERT_NE(window, nullptr);

    ui::Program second(kSetupExe, cd.Dir());
    ASSERT_TRUE(second.Id() != 0);
    EXPECT_EQ(second.WaitExit(10000), 0u);
    EXPECT_TRUE(ui::WindowsOf(second.Id()).empty());
    EXPECT_TRUE(first.Running());

    QuitAndExpectEnd(first, window);
}

TEST(Startup, LeftOverMessageBoxBlocksANewStart) {
    // A setup showing a message box (caption "Setup Morvel") counts as running.
    Cd broken("leftover", {{"DEMOF110.CD1", "x"}});
    Cd cd("leftover-valid", ValidCd('F'));
    ui::Program first(kSetupExe, broken.Dir());
    const Box box = WaitForBox(first);
    ASSERT_EQ(box.caption, "Setup Morvel");

    ui::Program second(kSetupExe, cd.Dir());
    EXPECT_EQ(second.WaitExit(10000), 0u);
    EXPECT_TRUE(ui::WindowsOf(second.Id()).empty());
    ConfirmAndExpectEnd(first, box);
}

TEST(Startup, ClockPastTheCutOffShowsTheFrenchYearMessage) {
    // This twin refuses every year from 2000 on; the English CD does not
    // change the language, which is not settled yet.
    Cd cd("year", ValidCd('A'));
    ui::Program setup(kEarlyCutoffExe, cd.Dir());
    const Box box = WaitForBox(setup);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Setup Morvel");
    EXPECT_EQ(box.text,
              "Attention, la date courante de votre machine est sup\xE9rieure \xE0 1999. "
              "Veuillez remettre cette date \xE0 la bonne valeur avant de relancer ce Setup.");
    EXPECT_EQ(WaitForMainWindow(setup, 300), nullptr);
    ConfirmAndExpectEnd(setup, box);
}

TEST(SourceMedia, MissingSettingsFile) {
    auto files = ValidCd('F');
    files.erase("PXD.INI");
    Cd cd("no-pxd", files);
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    EXPECT_EQ(box.caption, "Setup Morvel");
    EXPECT_EQ(box.text, "Can't find \"PXD.INI\" file");
    ConfirmAndExpectEnd(setup, box);
}

TEST(SourceMedia, MissingScript) {
    auto files = ValidCd('D');
    files.erase("SETUP.INF");
    Cd cd("no-script", files);
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    EXPECT_EQ(box.caption, "Setup Morvel");
    EXPECT_EQ(box.text, "Can't find SETUP.INF or SCRIPT.INF");
    ConfirmAndExpectEnd(setup, box);
}

TEST(SourceMedia, SecondDiskAsksForTheFirstInFrench) {
    auto files = ValidCd('A');
    files.erase("DEMOA110.CD1");
    files["DEMOA110.CD2"] = "disk 2";
    Cd cd("disk-two", files);
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Setup Morvel");
    EXPECT_EQ(box.text, "Inserez le Disque N\xB0"
                        "1 pour installer ce produit");
    const RECT rect = ui::ScreenRect(box.window);
    EXPECT_EQ(rect.right - rect.left, 320);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 180) / 2);
    EXPECT_EQ(ui::ControlText(box.window, IDOK), "OK");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(box.window, IDCANCEL)));
    ConfirmAndExpectEnd(setup, box);
}

TEST(SourceMedia, NoMarkerAtAllAsksForTheFirstDisk) {
    auto files = ValidCd('F');
    files.erase("DEMOF110.CD1");
    Cd cd("no-marker", files);
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    EXPECT_EQ(box.text, "Inserez le Disque N\xB0"
                        "1 pour installer ce produit");
    ConfirmAndExpectEnd(setup, box);
}

TEST(SourceMedia, UnreadableScript) {
    Cd cd("locked-script", ValidCd('F'));
    // Held open without sharing: the script exists but cannot be read.
    HANDLE lock = CreateFileA(cd.Path("SETUP.INF").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ui::Program setup(kSetupExe, cd.Dir());
    const Box box = WaitForBox(setup);
    EXPECT_EQ(box.caption, "Setup Morvel");
    EXPECT_EQ(box.text, "Error In Script file");
    ConfirmAndExpectEnd(setup, box);
    CloseHandle(lock);
}

TEST(SourceMedia, ScriptInfWinsOverSetupInf) {
    auto files = ValidCd('F');
    files["script.inf"] = "ALLDONE\r\n";
    Cd cd("both-scripts", files);
    // Were setup.inf chosen, the lock would make the pre-pass fail.
    HANDLE lock = CreateFileA(cd.Path("SETUP.INF").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    EXPECT_NE(window, nullptr);
    if (window)
        ui::PostClick(window, 1015);
    EXPECT_EQ(setup.WaitExit(10000), 0u);
    CloseHandle(lock);
}
