#pragma once

#include "core/script_commands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One display mode: what the screen shows now, or one the display offers.
struct DisplayMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t displayFlags = 0;
    std::uint32_t frequency = 0;
    bool operator==(const DisplayMode &) const = default;
};

// A TEST GRAPHCAPS line: the screen the product needs and the message that
// says so.
struct GraphCapsTest {
    std::uint32_t minWidth = 0;
    std::uint32_t minHeight = 0;
    std::uint32_t bitsPerPixel = 0; // exactly
    int messageNumber = -1;         // .\setup.ini message; -1 with a catalog
    int windowWidth = 0;            // of the message dialog, in pixels
    int windowHeight = 0;
};

// TEST GRAPHCAPS W H B X Y with the message catalog (its text is named),
// TEST GRAPHCAPS W H B N X Y without it. Nothing when the test is another one
// or the line lacks a number.
std::optional<GraphCapsTest> ReadGraphCapsTest(const TestCommand &command, bool catalogAvailable);

// True when the screen is as big as the test asks and has enough colours.
bool ScreenSuffices(const DisplayMode &current, const GraphCapsTest &test);

// The mode to switch to: nothing when the current one is big enough, else
// the last of the offered modes with exactly the bits asked for and a size
// between the minimum and the current one; nothing when none fits.
std::optional<DisplayMode> ChooseDisplayMode(const DisplayMode &current, const GraphCapsTest &test,
                                             const std::vector<DisplayMode> &modes);

// " colours" in the language of the index (0 French .. 5 American).
const char *ColourWord(int languageIndex);

// What the message inserts: "640x480, 65536 colours".
std::string ModeText(const GraphCapsTest &test, int languageIndex);
