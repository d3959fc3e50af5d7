#pragma once

#include <cstddef>
#include <cstdint>

// Whether the bytes at the start of a .BMP file, and the file's length,
// describe a bitmap that lies wholly inside the file. The system's picture
// loader maps the file and trusts its headers, so a truncated picture or
// one with absurd sizes would be read past its end; such a file is left
// unshown instead.
bool BitmapFileIsWhole(const unsigned char *head, std::size_t headLength, std::uint64_t fileLength);

// The bytes BitmapFileIsWhole needs to see: the file header and the
// largest info header.
constexpr std::size_t kBitmapHeadLength = 14 + 124;
