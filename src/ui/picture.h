#pragma once

#include <windows.h>

// A picture of the main window (SETUP.BMP, later the IMAGE pictures) with
// the palette that shows it best on a palette display.
class Picture {
public:
    Picture() = default;
    ~Picture() { Clear(); }
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    // Replaces the picture by a bitmap file; false (and no picture) when the
    // file cannot be loaded.
    bool Load(const char *path);
    void Clear();
    bool Loaded() const { return bitmap_ != nullptr; }

    // Realises the palette in dc and copies the bitmap at its own size.
    void Paint(HDC dc, int x, int y) const;

private:
    HBITMAP bitmap_ = nullptr;
    HPALETTE palette_ = nullptr;
};
