// A version.dll as anyone may leave it beside setup.exe on a copied CD
// folder. Each time a process loads it or calls one of its functions it
// adds a line to VERSION.LOADED beside it: the process, then "loaded at
// start-up" (an import of a module loaded with the program), "loaded on
// request" (LoadLibrary) or the function called. It exports what setup
// looks up in version.dll, so that a setup which loaded it would use it.
#include <windows.h>

static HINSTANCE self;

static void Note(const char *what) {
    char path[MAX_PATH], line[MAX_PATH + 64];
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    while (length > 0 && path[length - 1] != '\\')
        --length;
    const DWORD loader = GetModuleFileNameA(NULL, line, MAX_PATH);
    if (length == 0 || length + sizeof "VERSION.LOADED" > MAX_PATH || loader >= MAX_PATH)
        return;
    lstrcpyA(path + length, "VERSION.LOADED");
    line[loader] = ' ';
    lstrcpynA(line + loader + 1, what, 60);
    lstrcatA(line, "\r\n");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, NULL);
    CloseHandle(file);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        self = instance;
        Note(reserved ? "loaded at start-up" : "loaded on request");
    }
    return TRUE;
}

// Every file is without version information.
__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) {
    (void)file, (void)handle;
    Note("called GetFileVersionInfoSizeA");
    return 0;
}

__declspec(dllexport) BOOL WINAPI
    GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, LPVOID data) {
    (void)file, (void)handle, (void)size, (void)data;
    Note("called GetFileVersionInfoA");
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI
    VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID *data, PUINT length) {
    (void)block, (void)subBlock, (void)data, (void)length;
    Note("called VerQueryValueA");
    return FALSE;
}
