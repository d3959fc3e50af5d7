#include "ui/layout_fonts_win.h"

#include "core/app_state.h"
#include "core/limits.h"
#include "res/resource.h"

#include <cstring>
#include <string_view>

namespace {

constexpr int kMainWindow = 0; // the dialog window itself
constexpr int kNoControl = -1; // kept for the secondary dialogs

struct Target {
    std::string_view name;
    int control;
};

// Index in the table is the slot of the target's font.
constexpr Target kTargets[] = {
    {"MAINDLG", kMainWindow},       {"MESSAGE1", IDC_WELCOME},      {"MESSAGE2", IDC_INSTRUCTIONS},
    {"LIST", IDC_DRIVES},           {"INSTALL", IDC_INSTALL},       {"QUIT", IDC_QUIT},
    {"CURFILE", IDC_CURRENT_LABEL}, {"TOTALINST", IDC_TOTAL_LABEL}, {"DIALOG", kNoControl},
};
constexpr std::size_t kDialogSlot = 8;

// A face name fills LOGFONT's field with its zero.
static_assert(kMaxFontFace + 1 == LF_FACESIZE);

int SlotOf(const std::string &target) {
    for (std::size_t i = 0; i < std::size(kTargets); ++i) {
        if (kTargets[i].name == target)
            return static_cast<int>(i);
    }
    return -1;
}

int CALLBACK TakeFirstFont(const LOGFONTA *font, const TEXTMETRICA *, DWORD, LPARAM found) {
    *reinterpret_cast<LOGFONTA *>(found) = *font;
    return 0; // the first match is the one
}

} // namespace

bool DescribeLayoutFont(const LayoutFont &font, LOGFONTA &description) {
    if (font.face.empty() || font.face.size() > kMaxFontFace)
        return false;
    LOGFONTA found{};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, font.face.c_str(), TakeFirstFont, reinterpret_cast<LPARAM>(&found));
    ReleaseDC(nullptr, screen);
    if (found.lfFaceName[0] == '\0')
        return false;
    found.lfWidth = font.width;
    found.lfHeight = font.height;
    found.lfWeight = font.weight;
    found.lfItalic = font.italic ? TRUE : FALSE;
    found.lfUnderline = font.underline ? TRUE : FALSE;
    description = found;
    return true;
}

void LayoutFonts::Apply(HWND dialog, const std::vector<LayoutFont> &fonts) {
    for (const LayoutFont &font : fonts) {
        const int slot = SlotOf(font.target);
        LOGFONTA description;
        if (slot < 0 || !DescribeLayoutFont(font, description))
            continue;
        HFONT created = CreateFontIndirectA(&description);
        if (!created)
            continue;
        const int control = kTargets[slot].control;
        if (control != kNoControl) {
            HWND window = control == kMainWindow ? dialog : GetDlgItem(dialog, control);
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(created), FALSE);
        }
        // The control holds the new font now, so the old one may go.
        HFONT &held = fonts_[static_cast<std::size_t>(slot)];
        if (held)
            DeleteObject(held);
        held = created;
    }
    App().dialogFont = fonts_[kDialogSlot];
}

void LayoutFonts::Clear() {
    if (App().dialogFont == fonts_[kDialogSlot])
        App().dialogFont = nullptr;
    for (HFONT &font : fonts_) {
        if (font)
            DeleteObject(font);
        font = nullptr;
    }
}

HFONT LayoutFonts::DialogFont() const {
    return fonts_[kDialogSlot];
}
