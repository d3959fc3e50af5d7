#include "ui/bitmap_check.h"

namespace {

// A picture larger than this is no window picture (and would need
// hundreds of megabytes).
constexpr std::int64_t kMaxSide = 16384;

std::uint32_t U16(const unsigned char *p) {
    return p[0] | std::uint32_t{p[1]} << 8;
}
std::uint32_t U32(const unsigned char *p) {
    return p[0] | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

} // namespace

bool BitmapFileIsWhole(const unsigned char *head, std::size_t headLength,
                       std::uint64_t fileLength) {
    if (headLength < 14 + 12 || fileLength < 14 + 12 || head[0] != 'B' || head[1] != 'M')
        return false;
    const std::uint64_t dataAt = U32(head + 10);
    const std::uint32_t infoSize = U32(head + 14);
    if (infoSize < 12 || 14 + std::uint64_t{infoSize} > fileLength ||
        (infoSize > 12 && 14 + std::size_t{40} > headLength)) {
        return false;
    }
    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bits = 0, compression = 0, imageSize = 0;
    if (infoSize == 12) { // the old core header
        width = U16(head + 18);
        height = U16(head + 20);
        planes = U16(head + 22);
        bits = U16(head + 24);
    } else {
        width = static_cast<std::int32_t>(U32(head + 18));
        height = static_cast<std::int32_t>(U32(head + 22));
        planes = U16(head + 26);
        bits = U16(head + 28);
        compression = U32(head + 30);
        imageSize = U32(head + 34);
    }
    if (height < 0)
        height = -height; // top-down
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (dataAt < 14 + std::uint64_t{infoSize} || dataAt > fileLength)
        return false;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    switch (compression) {
    case 0: // BI_RGB
    case 3: // BI_BITFIELDS
        return dataAt + rowBytes * static_cast<std::uint64_t>(height) <= fileLength;
    case 1: // BI_RLE8
    case 2: // BI_RLE4
        return imageSize > 0 && dataAt + imageSize <= fileLength;
    default:
        return false;
    }
}
