// A picture is handed to the system's loader only when its headers describe
// a bitmap that lies wholly inside the file.

#include "ui/bitmap_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Put32(std::string &bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A whole 8-bit bitmap: file header, info header, 256 colours, pixels.
std::string Bitmap(std::int32_t width, std::int32_t height, int bits = 8) {
    const std::uint32_t colours = bits <= 8 ? (1u << bits) * 4 : 0;
    const std::uint32_t dataAt = 14 + 40 + colours;
    const std::uint32_t row = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
    std::string bytes(dataAt + row * static_cast<std::uint32_t>(height < 0 ? -height : height),
                      '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(bytes, 10, dataAt);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<std::uint32_t>(width));
    Put32(bytes, 22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = static_cast<char>(bits);
    return bytes;
}

bool Whole(const std::string &bytes, std::uint64_t length) {
    return BitmapFileIsWhole(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(),
                             length);
}
bool Whole(const std::string &bytes) {
    return Whole(bytes, bytes.size());
}

} // namespace

TEST(BitmapCheck, WholePicturesPass) {
    EXPECT_TRUE(Whole(Bitmap(299, 459)));
    EXPECT_TRUE(Whole(Bitmap(299, -459))); // top-down
    EXPECT_TRUE(Whole(Bitmap(3, 2, 24)));
    EXPECT_TRUE(Whole(Bitmap(1, 1, 1)));
}

TEST(BitmapCheck, TruncatedOrAbsurdPicturesAreRefused) {
    const std::string good = Bitmap(299, 459);
    EXPECT_FALSE(Whole(good, good.size() - 1)); // one byte short of the last row
    EXPECT_FALSE(Whole(good.substr(0, 20)));
    EXPECT_FALSE(Whole(std::string()));
    EXPECT_FALSE(Whole("this is not a bitmap\r\n" + std::string(200, ' ')));
    for (const std::int32_t side : {0, 100000, 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        std::string bytes = good;
        Put32(bytes, 18, static_cast<std::uint32_t>(side));
        EXPECT_FALSE(Whole(bytes)) << side;
    }
    std::string badBits = good;
    badBits[28] = 7;
    EXPECT_FALSE(Whole(badBits));
    std::string dataOutside = good;
    Put32(dataOutside, 10, static_cast<std::uint32_t>(good.size() + 1));
    EXPECT_FALSE(Whole(dataOutside));
}
