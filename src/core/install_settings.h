#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A USEFONT line: the font one area of the main dialog gets.
struct LayoutFont {
    std::string target; // MAINDLG, MESSAGE1, ..., DIALOG (applied as written)
    std::string face;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb &) const = default;
};

// A progress bar runs from its start colour at 0 % to its end colour at 100 %.
struct BarColours {
    Rgb start{255, 0, 0};
    Rgb end{0, 0, 200};
    bool operator==(const BarColours &) const = default;
};

// A window the run closes before it copies anything; its title is
// titleHead, one blank, titleTail (the KILL line's rest, then its first word).
struct WindowToClose {
    std::string titleHead;
    std::string titleTail;
};

// What the script pre-pass collects for the run.
struct InstallSettings {
    std::vector<std::string> commands; // the command list, verbatim

    std::uint64_t totalBytes = 0; // bytes the install copies, for the total bar

    bool writePause = false;
    std::int32_t writePauseTicks = 0; // 1 ms timer ticks to wait after each block
    bool strictCopyMode = false;      // keep installed files unless they are older

    std::vector<WindowToClose> windowsToClose;
    std::vector<std::string> compatibility; // upper case; nothing reads them

    std::vector<std::string> filesToKeep;   // names or patterns in the install directory
    bool keepEverything = false;            // NODELETE *.*
    std::vector<std::string> filesToDelete; // only used with keepEverything

    std::vector<LayoutFont> fonts;             // in script order; a later one wins
    std::uint32_t backgroundColour = 0xC0C0C0; // red | green << 8 | blue << 16
    std::array<BarColours, 2> barColours{};    // current file, whole installation
};
