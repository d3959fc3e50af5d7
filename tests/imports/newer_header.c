// A program whose imports are all fine but whose PE header asks for
// Windows Vista (OS and subsystem version 6.0): the import check must reject it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    return (int)(GetTickCount() & 1);
}
