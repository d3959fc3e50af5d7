#pragma once

#include <windows.h>

// version.dll's functions. Windows may take version.dll from the program's
// folder when it is imported at load time, so it is loaded from the system
// folder by its full path on the first call that needs it, and stays
// loaded. A null pointer means the library or the function is not there;
// callers treat it as a file without version information.
struct VersionFunctions {
    DWORD(WINAPI *getFileVersionInfoSize)(LPCSTR, LPDWORD) = nullptr;
    BOOL(WINAPI *getFileVersionInfo)(LPCSTR, DWORD, DWORD, LPVOID) = nullptr;
    BOOL(WINAPI *verQueryValue)(LPCVOID, LPCSTR, LPVOID *, PUINT) = nullptr;
};

const VersionFunctions &VersionCalls();
