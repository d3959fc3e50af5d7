#pragma once

#include <windows.h>

// The application icon (resource 133) as the big and small icon of a dialog.
HICON SetupIcon();
void SetDialogIcons(HWND dialog);

// A minimised dialog paints its icon centred in the client area; returns
// whether it did.
bool PaintIconIfIconic(HWND dialog);
