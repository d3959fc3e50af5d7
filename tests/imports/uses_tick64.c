// A program that imports a function Windows 95 lacks: the import check must
// reject it and name the function.
#include <windows.h>

// Declared here: the build's _WIN32_WINNT hides the Vista declaration.
WINBASEAPI ULONGLONG WINAPI GetTickCount64(VOID);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    return (int)(GetTickCount64() & 1);
}
