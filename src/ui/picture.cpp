#include "ui/picture.h"

#include "ui/bitmap_check.h"

#include <vector>

namespace {

HPALETTE PaletteOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    if (info.bmPlanes * info.bmBitsPixel > 8) {
        HDC screen = GetDC(nullptr);
        HPALETTE halftone = CreateHalftonePalette(screen);
        ReleaseDC(nullptr, screen);
        return halftone;
    }

    RGBQUAD colours[256] = {};
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    GetDIBColorTable(memory, 0, 256, colours);
    SelectObject(memory, old);
    DeleteDC(memory);

    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto *palette = reinterpret_cast<LOGPALETTE *>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = 256;
    for (int i = 0; i < 256; ++i) {
        palette->palPalEntry[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    }
    return CreatePalette(palette);
}

// Reads the headers first: the system's loader trusts them.
bool LooksWhole(const char *path) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned char head[kBitmapHeadLength] = {};
    DWORD got = 0;
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    const bool read = ReadFile(file, head, sizeof head, &got, nullptr) != FALSE;
    CloseHandle(file);
    return read && low != INVALID_FILE_SIZE &&
           BitmapFileIsWhole(head, got, std::uint64_t{high} << 32 | low);
}

} // namespace

bool Picture::Load(const char *path) {
    Clear();
    if (!LooksWhole(path))
        return false;
    bitmap_ = static_cast<HBITMAP>(LoadImageA(
        nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    if (!bitmap_)
        return false;
    palette_ = PaletteOf(bitmap_);
    return true;
}

void Picture::Clear() {
    if (bitmap_)
        DeleteObject(bitmap_);
    if (palette_)
        DeleteObject(palette_);
    bitmap_ = nullptr;
    palette_ = nullptr;
}

void Picture::Paint(HDC dc, int x, int y) const {
    if (!bitmap_)
        return;
    BITMAP info{};
    GetObjectA(bitmap_, sizeof info, &info);
    HPALETTE oldPalette = nullptr;
    if (palette_) {
        oldPalette = SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
}
