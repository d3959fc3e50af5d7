#pragma once

#include "core/catalog_state.h"
#include "core/command_line.h"
#include "core/run_log.h"

#include <cstdint>

class InstallRecorder;

// Process-wide state shared by every part of setup: the language settled from
// the CD marker, the message catalog's tables and the screen size. Nothing
// else is global; the state of a run belongs to the main dialog.
struct AppState {
    int languageIndex = 0;   // 0 French .. 5 American
    char languageLetter = 0; // NUL: not settled; '?': catalog unavailable
    int screenWidth = 640;
    int screenHeight = 480;
    CatalogState catalog; // both tables stay open from start-up to the end of the script
    // The script's look for the secondary dialogs (message, DirectX
    // question): its background colour (red | green << 8 | blue << 16) and
    // its DIALOG font, an HFONT owned by the main dialog; null without one.
    std::uint32_t backgroundColour = 0xC0C0C0;
    void *dialogFont = nullptr;
    // The install record of the running installation; null outside it.
    InstallRecorder *recorder = nullptr;
    // What the command line asked for (/S, /D=, /LOG= ...).
    CommandLine options;
    // Setup runs as LocalSystem: shortcuts go to the common folders, as
    // with /ALLUSERS.
    bool localSystem = false;
    // How the run is ending, for the exit code.
    RunOutcome outcome;
};

AppState &App();

// The one way to report a failed step of the run: App().outcome.Fail.
inline void ReportFailure(std::string_view what) {
    App().outcome.Fail(what);
}
