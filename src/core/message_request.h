#pragma once

#include <string>

// One message or yes/no question in the setup's message dialog.
struct MessageRequest {
    bool yesNo = false;  // Yes/No buttons instead of a single OK
    bool insert = false; // replace "[Insert String Here]" by `insertion`
    std::string insertion;
    int mode = 0;     // 0 direct text, 1 .\setup.ini message, 2 string table
    int number = 0;   // message number for modes 1 and 2
    std::string text; // the text of mode 0
    int width = 320;  // window size in pixels
    int height = 200;
};
