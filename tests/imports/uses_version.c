// A program that imports version.dll at load time: Windows looks for it in
// the program's folder first, so the import check must reject it and name
// the DLL, although Windows 95 has the function.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    DWORD handle = 0;
    return (int)(GetFileVersionInfoSizeA("setup.exe", &handle) & 1);
}
