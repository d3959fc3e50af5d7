#pragma once

#include "core/install_settings.h"

#include <windows.h>

#include <array>
#include <vector>

// The fonts a script gives the areas of the main dialog (USEFONT lines). They
// stay alive as long as this object, which the main dialog owns: a control
// only borrows its font.
class LayoutFonts {
public:
    LayoutFonts() = default;
    ~LayoutFonts() { Clear(); }
    LayoutFonts(const LayoutFonts &) = delete;
    LayoutFonts &operator=(const LayoutFonts &) = delete;

    // Creates the fonts in script order and sets each on its control without
    // redrawing; a later line for the same target replaces the earlier font.
    // A face that is not installed or an unknown target is passed over. The
    // DIALOG font is kept for the secondary dialogs.
    void Apply(HWND dialog, const std::vector<LayoutFont> &fonts);
    // Releases every font; the DIALOG font stops being offered.
    void Clear();

    HFONT DialogFont() const;

private:
    std::array<HFONT, 9> fonts_{};
};

// The description of the first installed font of that face, changed in size,
// weight, italic and underline as the line asks; false when the face is not
// installed.
bool DescribeLayoutFont(const LayoutFont &font, LOGFONTA &description);
