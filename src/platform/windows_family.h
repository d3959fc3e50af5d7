#pragma once

// Which Windows runs the program, decided once, and the calls whose
// behaviour depends on it. Windows 95, 98 and ME export many functions only
// as stubs that fail with ERROR_CALL_NOT_IMPLEMENTED (MoveFileExA and most
// ...W functions among them); on that family the code takes the path that
// works there instead. The lowest Win32 layer: it uses nothing of ours.

#include <windows.h>

namespace platform {

// True on Windows 95, 98 and ME (GetVersion's high bit); decided on the
// first call and kept.
bool IsWindows95Family();

// Test seam. Wine in its win98 mode reports the Windows 95 family but
// implements what that family only stubs, and finds every newer function.
// With the seam on, on the Windows 95 family the stubs below fail as they do
// on a real Windows 95 or 98, and FindNewerFunction finds nothing, as on the
// first Windows 95, so that every fallback runs. Set it before anything
// else runs (a test program's or a test twin's static set-up); it changes
// nothing on the NT family.
void SetWindows95StubsFail(bool on);
bool Windows95StubsFail();

// MoveFileExA. A stub on the Windows 95 family: only the NT family may rely
// on it.
BOOL CallMoveFileEx(LPCSTR existing, LPCSTR replacement, DWORD flags);

// A function newer than Windows 95, looked up at run time in a module the
// process has loaded (kernel32.dll, user32.dll, ...); null where the system
// lacks it. Every such lookup goes through here.
FARPROC FindNewerFunction(const char *module, const char *name);

} // namespace platform
