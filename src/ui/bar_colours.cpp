#include "ui/bar_colours.h"

namespace {

std::uint8_t Channel(std::uint8_t start, std::uint8_t end, double fraction) {
    const double value = start - fraction * (static_cast<int>(start) - static_cast<int>(end));
    return static_cast<std::uint8_t>(static_cast<int>(value) & 0xFF);
}

} // namespace

Rgb BarColour(const BarColours &colours, std::uint64_t done, std::uint64_t size) {
    if (size == 0)
        return colours.start;
    const double fraction =
        done >= size ? 1.0 : static_cast<double>(done) / static_cast<double>(size);
    return {Channel(colours.start.red, colours.end.red, fraction),
            Channel(colours.start.green, colours.end.green, fraction),
            Channel(colours.start.blue, colours.end.blue, fraction)};
}

std::uint32_t ColourRef(const Rgb &colour) {
    return colour.red | std::uint32_t{colour.green} << 8 | std::uint32_t{colour.blue} << 16;
}
