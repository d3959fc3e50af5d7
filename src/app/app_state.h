#pragma once

// Process-wide state shared by every part of setup: the language settled from
// the CD marker, the message catalog's tables and the screen size. Nothing
// else is global; the state of a run belongs to the main dialog.
struct AppState {
    int languageIndex = 0;     // 0 French .. 5 American
    char languageLetter = 0;   // NUL: not settled; '?': catalog unavailable
    int screenWidth = 640;
    int screenHeight = 480;
};

AppState &App();
