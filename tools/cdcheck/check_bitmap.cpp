#include "checks.h"

#include <fstream>

namespace {

constexpr int kBestWidth = 299;
constexpr int kBestHeight = 459;
constexpr int kBestBits = 8;

std::uint32_t Le(const unsigned char *p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

} // namespace

void CheckBitmap(const CdFolder &cd, Findings &findings) {
    const std::string file = "SETUP.BMP";
    const std::optional<CdFolder::Entry> entry = cd.Stat(file);
    if (!entry || entry->directory) {
        findings.Warning(file, 0, "missing: the main window shows no picture");
        return;
    }
    std::ifstream in(*cd.Find(file), std::ios::binary);
    unsigned char header[54] = {};
    in.read(reinterpret_cast<char *>(header), sizeof header);
    // File header (14 bytes), then a BITMAPINFOHEADER or a later, longer one.
    const std::uint32_t infoSize = Le(header + 14, 4);
    if (in.gcount() < static_cast<std::streamsize>(sizeof header) || header[0] != 'B' ||
        header[1] != 'M' || infoSize < 40) {
        findings.Error(file, 0, "is not a Windows bitmap: the main window shows no picture");
        return;
    }
    const std::uint32_t pixelsAt = Le(header + 10, 4);
    const auto width = static_cast<std::int32_t>(Le(header + 18, 4));
    const auto rawHeight = static_cast<std::int32_t>(Le(header + 22, 4));
    const std::int64_t height = rawHeight < 0 ? -std::int64_t{rawHeight} : rawHeight;
    const int bits = static_cast<int>(Le(header + 28, 2));
    const std::uint32_t compression = Le(header + 30, 4);
    const std::uint64_t rowBytes = (std::uint64_t(width > 0 ? width : 0) * bits + 31) / 32 * 4;
    const bool truncated =
        compression == 0 && pixelsAt + rowBytes * std::uint64_t(height) > entry->size;
    if (width <= 0 || height == 0 || bits == 0 || truncated) {
        findings.Error(file, 0,
                       truncated ? "is cut short: the file ends before its pixels do"
                                 : "has no pixels");
        return;
    }
    if (width != kBestWidth || height != kBestHeight) {
        findings.Warning(file, 0,
                         "is " + std::to_string(width) + " x " + std::to_string(height) +
                             "; the main window shows a 299 x 459 picture best");
    }
    if (bits != kBestBits) {
        findings.Warning(file, 0,
                         "has " + std::to_string(bits) +
                             " bits per pixel; the main window shows an 8-bit palette picture "
                             "best");
    }
}
