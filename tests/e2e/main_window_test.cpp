// The main window of a valid first CD in French, English and German:
// place, size, texts, and how it ends.

#include "e2e_support.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct Expected {
    char marker;
    const char *caption;
    const char *welcome;
    const char *instructionsStart;
    const char *install;
    const char *quit;
};

void ExpectRect(HWND window, int id, int x, int y, int width, int height) {
    const RECT rect = ui::ChildRect(window, id);
    EXPECT_EQ(rect.left, x) << "control " << id;
    EXPECT_EQ(rect.top, y) << "control " << id;
    EXPECT_EQ(rect.right - rect.left, width) << "control " << id;
    EXPECT_EQ(rect.bottom - rect.top, height) << "control " << id;
}

void CheckWindow(const Expected &expected) {
    Cd cd(std::string("window-") + expected.marker, ValidCd(expected.marker));
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(ui::Text(window), expected.caption);
    const RECT rect = ui::ScreenRect(window);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 480);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 480) / 2);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_NE(style & WS_CAPTION, static_cast<LONG>(WS_CAPTION));

    EXPECT_EQ(ui::ControlText(window, 1000), expected.welcome);
    EXPECT_EQ(ui::ControlText(window, 1003).rfind(expected.instructionsStart, 0), 0u)
        << ui::ControlText(window, 1003);
    EXPECT_EQ(ui::ControlText(window, 1012), expected.install);
    EXPECT_EQ(ui::ControlText(window, 1015), expected.quit);
    // C: has room and is selected at once, so Install may be pressed.
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, 1012)));

    ExpectRect(window, 1000, 320, 5, 310, 60);
    ExpectRect(window, 1003, 320, 75, 310, 165);
    ExpectRect(window, 1023, 320, 250, 310, 180);
    ExpectRect(window, 1012, 320, 440, 100, 30);
    ExpectRect(window, 1015, 530, 440, 100, 30);
    ExpectRect(window, 1025, 8, 5, 304, 464);
    for (int hidden : {1018, 1020, 1027, 1028, 1030, 1031}) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, hidden))) << "control " << hidden;
    }

    QuitAndExpectEnd(setup, window);
}

} // namespace

TEST(MainWindow, French) {
    CheckWindow({'F', "Setup Morvel",
                 "Programme d'installation de :\nDemo Title V.1.10\n"
                 "Espace disque requis : environ 12 Mo.",
                 "   Bienvenue dans ce programme d'installation.", "Installer", "Quitter"});
}

TEST(MainWindow, English) {
    // The caption is chosen before the CD's language is known.
    CheckWindow({'A', "Setup Morvel",
                 "Setup programme for: \nDemo Title V.1.10\nFree hard disk space required: 12 Mb",
                 "   Welcome to this Setup Programme.", "Install", "Quit"});
}

TEST(MainWindow, German) {
    CheckWindow({'D', "Setup Morvel",
                 "Installationsprogramm f\xFCr: \nDemo Title V.1.10\n"
                 "Ben\xF6tigter Festplattenspeicher: 12 MB",
                 "   Willkommen im Installationsprogramm.", "Installieren", "Beenden"});
}

TEST(MainWindow, EscapeDoesNotCloseOnlyQuitDoes) {
    Cd cd("escape", ValidCd('F'));
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(GetDlgItem(window, 1023), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(setup.WaitExit(1000), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowVisible(window));

    QuitAndExpectEnd(setup, window);
}

TEST(MainWindow, WithoutAPictureTheAreaStaysEmpty) {
    auto files = ValidCd('A');
    files.erase("SETUP.BMP");
    Cd cd("no-picture", files);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(300);
    // The middle of the picture area shows the dialog's background: light
    // grey, as no BKGNDCOLOR line asked for another.
    HDC screen = GetDC(nullptr);
    const RECT rect = ui::ScreenRect(window);
    POINT centre{160, 240};
    ClientToScreen(window, &centre);
    const COLORREF pixel = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(pixel, RGB(192, 192, 192)) << std::hex << pixel;
    EXPECT_GT(rect.right, rect.left);
    QuitAndExpectEnd(setup, window);
}
