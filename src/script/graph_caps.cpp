#include "script/graph_caps.h"

#include "core/ascii.h"

namespace {

std::uint32_t Unsigned(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}

bool Between(std::uint32_t value, std::uint32_t low, std::uint32_t high) {
    return value >= low && value <= high;
}

} // namespace

std::optional<GraphCapsTest> ReadGraphCapsTest(const TestCommand &command, bool catalogAvailable) {
    if (!EqualsNoCase(command.test, "GRAPHCAPS"))
        return std::nullopt;
    const auto &v = command.values;
    GraphCapsTest test;
    test.minWidth = Unsigned(v[0]);
    test.minHeight = Unsigned(v[1]);
    test.bitsPerPixel = Unsigned(v[2]);
    if (catalogAvailable) {
        if (command.count < 5)
            return std::nullopt;
        test.windowWidth = v[3];
        test.windowHeight = v[4];
    } else {
        if (command.count < 6)
            return std::nullopt;
        test.messageNumber = v[3];
        test.windowWidth = v[4];
        test.windowHeight = v[5];
    }
    return test;
}

bool ScreenSuffices(const DisplayMode &current, const GraphCapsTest &test) {
    return current.width >= test.minWidth && current.height >= test.minHeight &&
           current.bitsPerPixel >= test.bitsPerPixel;
}

std::optional<DisplayMode> ChooseDisplayMode(const DisplayMode &current, const GraphCapsTest &test,
                                             const std::vector<DisplayMode> &modes) {
    if (ScreenSuffices(current, test))
        return std::nullopt;
    std::optional<DisplayMode> chosen;
    for (const DisplayMode &mode : modes) {
        if (mode.bitsPerPixel == test.bitsPerPixel &&
            Between(mode.width, test.minWidth, current.width) &&
            Between(mode.height, test.minHeight, current.height)) {
            chosen = mode;
        }
    }
    return chosen;
}

const char *ColourWord(int languageIndex) {
    static constexpr const char *kWords[] = {" couleurs", " colours", " Farben",
                                             " colores",  " colori",  " colours"};
    return languageIndex >= 0 && languageIndex < 6 ? kWords[languageIndex] : kWords[0];
}

std::string ModeText(const GraphCapsTest &test, int languageIndex) {
    // 2 to the power of the bits; 32 bits and more still give the true count.
    const unsigned long long colours = test.bitsPerPixel < 64 ? 1ULL << test.bitsPerPixel : ~0ULL;
    return std::to_string(test.minWidth) + "x" + std::to_string(test.minHeight) + ", " +
           std::to_string(colours) + ColourWord(languageIndex);
}
