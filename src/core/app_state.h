#pragma once

#include "core/catalog_state.h"

// Process-wide state shared by every part of setup: the language settled from
// the CD marker, the message catalog's tables and the screen size. Nothing
// else is global; the state of a run belongs to the main dialog.
struct AppState {
    int languageIndex = 0;   // 0 French .. 5 American
    char languageLetter = 0; // NUL: not settled; '?': catalog unavailable
    int screenWidth = 640;
    int screenHeight = 480;
    CatalogState catalog; // both tables stay open from start-up to the end of the script
};

AppState &App();
