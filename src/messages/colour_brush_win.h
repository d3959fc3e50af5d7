#pragma once

#include <windows.h>

// A solid brush of one colour for the control-colour messages, made again
// only when the colour changes and released with this object.
class ColourBrush {
public:
    ColourBrush() = default;
    ~ColourBrush() { Release(); }
    ColourBrush(const ColourBrush &) = delete;
    ColourBrush &operator=(const ColourBrush &) = delete;

    HBRUSH Of(COLORREF colour) {
        if (brush_ && colour == colour_)
            return brush_;
        Release();
        brush_ = CreateSolidBrush(colour);
        colour_ = colour;
        return brush_;
    }
    void Release() {
        if (brush_)
            DeleteObject(brush_);
        brush_ = nullptr;
    }

private:
    HBRUSH brush_ = nullptr;
    COLORREF colour_ = 0;
};
