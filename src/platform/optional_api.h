#pragma once

#include <windows.h>

// Functions of kernel32 that the oldest systems setup runs on lack
// (Windows 95 before OSR2, NT 4.0): looked up once, here, on the first call
// (after any test seam is set), so that the program still loads there. A
// null pointer means "take the fallback".
struct OptionalKernel32 {
    BOOL(WINAPI *getDiskFreeSpaceEx)
    (LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) = nullptr;
    BOOL(WINAPI *getFileAttributesEx)(LPCSTR, GET_FILEEX_INFO_LEVELS, LPVOID) = nullptr;
    // Windows Vista on: renames an open file through its handle.
    BOOL(WINAPI *setFileInformationByHandle)(HANDLE, int, LPVOID, DWORD) = nullptr;
};

const OptionalKernel32 &Kernel32();
