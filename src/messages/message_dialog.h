#pragma once

#include "core/message_request.h"

#include <windows.h>

// Shows the dialog modally; 1 for the first button (Yes / OK), 2 for the
// second (No).
int ShowMessageDialog(HWND owner, const MessageRequest &request);

// The caption of the setup's windows in the current language.
const char *SetupCaption();
