// USEFONT lines on real controls: the font a control holds afterwards, the
// faces that are not installed, a target given twice and the DIALOG font
// offered to the secondary dialogs.

#include "ui/layout_fonts_win.h"

#include "core/app_state.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

// A window with the main dialog's text areas as plain statics.
class Page {
public:
    Page() {
        window_ = CreateWindowA("STATIC", "page", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                nullptr, nullptr);
        for (int id : {IDC_WELCOME, IDC_INSTRUCTIONS, IDC_CURRENT_LABEL}) {
            CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 100, 20, window_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        }
    }
    ~Page() { DestroyWindow(window_); }
    HWND Window() const { return window_; }
    HFONT FontOf(int id) const {
        return reinterpret_cast<HFONT>(SendDlgItemMessageA(window_, id, WM_GETFONT, 0, 0));
    }

private:
    HWND window_;
};

LayoutFont Font(const char *target, const char *face, int height, int weight = 400,
                bool italic = false, bool underline = false) {
    LayoutFont font;
    font.target = target;
    font.face = face;
    font.height = height;
    font.weight = weight;
    font.italic = italic;
    font.underline = underline;
    return font;
}

LOGFONTA Describe(HFONT font) {
    LOGFONTA description{};
    EXPECT_EQ(GetObjectA(font, sizeof description, &description),
              static_cast<int>(sizeof description));
    return description;
}

} // namespace

TEST(LayoutFonts, ControlsGetTheFaceInTheSizeAndStyleAsked) {
    Page page;
    LayoutFonts fonts;
    fonts.Apply(page.Window(), {Font("MESSAGE1", "Liberation Sans", 16, 700, true),
                                Font("MESSAGE2", "DejaVu Sans", 22, 300, false, true),
                                Font("CURFILE", "No Such Face Anywhere", 30),
                                Font("NOWHERE", "Liberation Sans", 30)});

    const LOGFONTA first = Describe(page.FontOf(IDC_WELCOME));
    EXPECT_STREQ(first.lfFaceName, "Liberation Sans");
    EXPECT_EQ(first.lfHeight, 16);
    EXPECT_EQ(first.lfWeight, 700);
    EXPECT_TRUE(first.lfItalic);
    EXPECT_FALSE(first.lfUnderline);

    const LOGFONTA second = Describe(page.FontOf(IDC_INSTRUCTIONS));
    EXPECT_STREQ(second.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(second.lfHeight, 22);
    EXPECT_EQ(second.lfWeight, 300);
    EXPECT_FALSE(second.lfItalic);
    EXPECT_TRUE(second.lfUnderline);

    // A face that is not installed leaves the control as it was.
    EXPECT_EQ(page.FontOf(IDC_CURRENT_LABEL), nullptr);
    EXPECT_EQ(App().dialogFont, nullptr);
}

TEST(LayoutFonts, ALaterLineReplacesAndReleasesTheEarlierFont) {
    Page page;
    LayoutFonts fonts;
    fonts.Apply(page.Window(), {Font("MESSAGE1", "Liberation Sans", 12)});
    HFONT earlier = page.FontOf(IDC_WELCOME);
    ASSERT_NE(earlier, nullptr);
    fonts.Apply(page.Window(), {Font("MESSAGE1", "Liberation Serif", 20)});
    HFONT later = page.FontOf(IDC_WELCOME);
    ASSERT_NE(later, nullptr);
    EXPECT_NE(later, earlier);
    EXPECT_STREQ(Describe(later).lfFaceName, "Liberation Serif");
    LOGFONTA gone;
    EXPECT_EQ(GetObjectA(earlier, sizeof gone, &gone), 0); // deleted
}

TEST(LayoutFonts, DialogFontIsOfferedWhileItsOwnerLives) {
    Page page;
    {
        LayoutFonts fonts;
        fonts.Apply(page.Window(), {Font("DIALOG", "Liberation Sans", 15, 700)});
        ASSERT_NE(App().dialogFont, nullptr);
        EXPECT_EQ(App().dialogFont, fonts.DialogFont());
        EXPECT_EQ(Describe(static_cast<HFONT>(App().dialogFont)).lfWeight, 700);
        // No control of the main window gets it.
        EXPECT_EQ(page.FontOf(IDC_WELCOME), nullptr);
    }
    EXPECT_EQ(App().dialogFont, nullptr);
}
