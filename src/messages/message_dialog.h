#pragma once

#include <windows.h>

#include <string>

// One message or yes/no question in the setup's message dialog.
struct MessageRequest {
    bool yesNo = false;     // Yes/No buttons instead of a single OK
    bool insert = false;    // replace "[Insert String Here]" by `insertion`
    std::string insertion;
    int mode = 0;           // 0 direct text, 1 .\setup.ini message, 2 string table
    int number = 0;         // message number for modes 1 and 2
    std::string text;       // the text of mode 0
    int width = 320;        // window size in pixels
    int height = 200;
};

// Shows the dialog modally; 1 for the first button (Yes / OK), 2 for the
// second (No).
int ShowMessageDialog(HWND owner, const MessageRequest &request);

// The caption of the setup's windows in the current language.
const char *SetupCaption();
