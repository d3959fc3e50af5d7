// The script's look on the screen: the sample CD's colours, bars and
// pictures during its install, and a picture that does not load. Colours
// are read back from the screen itself.

#include "e2e_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace e2e;

namespace {

struct Colour {
    int red, green, blue;
};

// The pixel at client coordinates of a window, as the screen shows it.
Colour PixelAt(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
}

::testing::AssertionResult Near(const Colour &seen, const Colour &wanted) {
    const int tolerance = 8; // the screen may round a channel
    if (std::abs(seen.red - wanted.red) <= tolerance &&
        std::abs(seen.green - wanted.green) <= tolerance &&
        std::abs(seen.blue - wanted.blue) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << seen.red << ", " << seen.green << ", " << seen.blue << ") instead of ("
           << wanted.red << ", " << wanted.green << ", " << wanted.blue << ")";
}

// Waits until the second message area shows the text; the time it took, or
// -1 when it did not come within the timeout.
long WaitForMessage(HWND window, const std::string &text, DWORD timeoutMs = 30000) {
    const DWORD start = GetTickCount();
    do {
        if (ui::ControlText(window, 1003) == text)
            return static_cast<long>(GetTickCount() - start);
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return -1;
}

void StartInstall(const ui::Program &setup, HWND &window) {
    window = WaitForMainWindow(setup);
    ASSERT_NE(window, nullptr);
    Sleep(100);
    ui::PostClick(window, 1012);
}

// A 24-bit bitmap file of one colour.
std::string PlainBitmap(int width, int height, const Colour &colour) {
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride * height), '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char *p = &pixels[static_cast<std::size_t>(y * stride + x * 3)];
            p[0] = static_cast<char>(colour.blue);
            p[1] = static_cast<char>(colour.green);
            p[2] = static_cast<char>(colour.red);
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    return std::string(reinterpret_cast<const char *>(&file), sizeof file) +
           std::string(reinterpret_cast<const char *>(&info), sizeof info) + pixels;
}

constexpr Colour kDemoBackground{38, 84, 160};

} // namespace

TEST(Restyle, SampleCdShowsItsColoursBarsAndPicturesInTurn) {
    ui::Program setup(kSetupExe, "D:\\democd");
    HWND window = nullptr;
    StartInstall(setup, window);
    ASSERT_NE(window, nullptr);

    // The first picture with the first message; the page around the
    // controls in the script's background colour.
    ASSERT_GE(WaitForMessage(window, "Copying the programme files..."), 0);
    Sleep(300);
    EXPECT_TRUE(Near(PixelAt(window, 3, 240), kDemoBackground));
    EXPECT_TRUE(Near(PixelAt(window, 10 + 60, 7 + 90), {255, 245, 157})); // STEP1's box
    // The current-file bar on its way from yellow to green: no blue in it,
    // green between its two ends.
    for (int i = 0; i < 300 && !IsWindowVisible(GetDlgItem(window, 1030)); ++i)
        Sleep(10);
    Sleep(200);
    const Colour bar = PixelAt(window, 324, 419);
    EXPECT_LE(bar.blue, 8);
    EXPECT_GE(bar.green, 152);
    EXPECT_LE(bar.green, 208);
    Screenshot("Restyle.SampleCd-first-picture");

    // The second picture comes only after the first had its seconds.
    const long waited = WaitForMessage(window, "Copying the pictures and sounds...");
    ASSERT_GE(waited, 0);
    Sleep(300);
    EXPECT_TRUE(Near(PixelAt(window, 10 + 60, 7 + 90), {255, 204, 128})); // STEP2's box
    Screenshot("Restyle.SampleCd-second-picture");

    const Box box = WaitForBox(setup, 60000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished.");
    // The message dialog wears the script's background too.
    Sleep(200);
    EXPECT_TRUE(Near(PixelAt(box.window, 3, 3), kDemoBackground));
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);
}

// Also MESSAGE from .\setup.ini and screen tests that ask nothing.
TEST(Restyle, PictureThatDoesNotLoadLeavesTheAreaEmptyAndTheInstallGoesOn) {
    auto files = ValidCd('A');
    files["RED.BMP"] = PlainBitmap(40, 40, {200, 0, 0});
    files["setup.ini"] = "[English]\r\nMessage4=Red picture\r\nMessage5=No picture\r\n";
    files["SETUP.INF"] = "BKGNDCOLOR 0 96 48\r\n"
                         "IMAGE RED.BMP 1\r\n"
                         "MESSAGE 4\r\n"
                         "TEST SOUND 1 2 3\r\n"
                         // Screen big enough; then one no mode can meet
                         // (48 bits): both go by without a word.
                         "TEST GRAPHCAPS 640 480 16 4 400 200\r\n"
                         "TEST GRAPHCAPS 640 480 48 4 400 200\r\n"
                         "IMAGE MISSING.BMP 1\r\n"
                         "MESSAGE 5 0\r\n"
                         "IMAGE NOTABMP.TXT 0\r\n"
                         "MESSAGE 6\r\n"
                         "ALLDONE\r\n";
    files["NOTABMP.TXT"] = "not a picture";
    Cd cd("restyle-missing-picture", files);
    ui::Program setup(kSetupExe, cd.Dir());
    HWND window = nullptr;
    StartInstall(setup, window);
    ASSERT_NE(window, nullptr);

    ASSERT_GE(WaitForMessage(window, "Red picture"), 0);
    Sleep(200);
    EXPECT_TRUE(Near(PixelAt(window, 10 + 20, 7 + 20), {200, 0, 0}));
    EXPECT_TRUE(Near(PixelAt(window, 3, 240), {0, 96, 48}));

    ASSERT_GE(WaitForMessage(window, "No picture"), 0);
    Sleep(200);
    EXPECT_TRUE(Near(PixelAt(window, 10 + 20, 7 + 20), {0, 96, 48})); // the page shows through
    // A message the file lacks names its key.
    ASSERT_GE(WaitForMessage(window, "Message6 Not Found"), 0);

    const Box box = WaitForBox(setup);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Setup is finished.");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(setup.WaitExit(15000), 0u);
}
