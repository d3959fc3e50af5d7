#include "messages/window_icon.h"

#include "res/resource.h"

HICON SetupIcon() {
    // Icons loaded with LoadIcon are shared and never destroyed.
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP));
}

void SetDialogIcons(HWND dialog) {
    HICON icon = SetupIcon();
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

bool PaintIconIfIconic(HWND dialog) {
    if (!IsIconic(dialog))
        return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    SendMessageA(dialog, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(dialog, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, SetupIcon());
    EndPaint(dialog, &ps);
    return true;
}
