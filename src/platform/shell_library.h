#pragma once

#include <windows.h>

#include <shlobj.h>

// The shell's functions that setup calls. shell32 and the libraries it pulls
// in are large, and most installations never need them: it is loaded on the
// first call that does, and stays loaded. A null pointer means the library
// or the function is not there; callers treat it as the call failing.
struct ShellFunctions {
    HRESULT(WINAPI *getMalloc)(IMalloc **) = nullptr;
    HRESULT(WINAPI *getSpecialFolderLocation)(HWND, int, LPITEMIDLIST *) = nullptr;
    HRESULT(WINAPI *getDesktopFolder)(IShellFolder **) = nullptr;
    BOOL(WINAPI *getPathFromIDList)(LPCITEMIDLIST, LPSTR) = nullptr;
    HINSTANCE(WINAPI *shellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = nullptr;
};

const ShellFunctions &ShellCalls();
