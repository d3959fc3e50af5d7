#pragma once

#include "core/install_settings.h"

#include <cstdint>

// The colour of a progress bar after done of size bytes: the start colour at
// 0 %, the end colour at 100 %, each channel in between on a straight line.
// A size of 0 (nothing counted yet) gives the start colour; done beyond size
// counts as complete.
Rgb BarColour(const BarColours &colours, std::uint64_t done, std::uint64_t size);

// The colour as a Windows COLORREF: red | green << 8 | blue << 16.
std::uint32_t ColourRef(const Rgb &colour);
