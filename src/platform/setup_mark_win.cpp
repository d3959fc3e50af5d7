#include "platform/setup_mark_win.h"

#include <windows.h>

namespace platform {

bool ClaimSetupMark() {
    // Closed by the system when the process ends.
    static HANDLE mark = nullptr;
    if (mark)
        return true;
    // NT 4.0 and the Windows 95 family have one namespace, and no "Global\".
    const DWORD version = GetVersion();
    const bool globalNames = !(version & 0x80000000u) && LOBYTE(LOWORD(version)) >= 5;
    const char *name = globalNames ? "Global\\Setup Morvel installation running"
                                   : "Setup Morvel installation running";
    mark = CreateMutexA(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    if (!mark)
        return error != ERROR_ACCESS_DENIED; // another account's mark
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mark);
        mark = nullptr;
        return false;
    }
    return true;
}

} // namespace platform
