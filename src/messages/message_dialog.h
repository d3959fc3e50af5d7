#pragma once

#include "core/message_request.h"

#include <windows.h>

#include <string>

// Every box and message dialog of setup goes through these two: the log
// gets the text and the answer, and under /S nothing is shown: the answer
// is OK, or No to a question, which is how such a box ends the run.

// Shows the dialog modally; 1 for the first button (Yes / OK), 2 for the
// second (No).
int ShowMessageDialog(HWND owner, const MessageRequest &request);

// MessageBoxA with its type (MB_OK, MB_YESNO, MB_ICONEXCLAMATION ...);
// IDOK, IDYES or IDNO.
int ShowBox(HWND owner, const std::string &text, const std::string &caption, UINT type);

// The caption of the setup's windows in the current language.
const char *SetupCaption();
