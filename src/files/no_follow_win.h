#pragma once

#include "files/file_status_win.h"

#include <windows.h>

#include <cstdint>
#include <string>

// What a path names, opened without following a link at its end (a
// junction or symbolic link is opened as itself), and acted on through the
// handle, so that what was checked is what is changed.

// Opens a file or folder; share says who else may open it meanwhile.
HANDLE OpenNoFollow(const std::string &path, DWORD access, DWORD share);

struct HandleStatus {
    DWORD attributes = 0;
    std::uint64_t size = 0;
    std::uint64_t time = 0; // last write, 100 ns since 1601
};
bool StatusOf(HANDLE handle, HandleStatus &status);

inline bool IsLink(const HandleStatus &status) {
    return (status.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The path the handle stands for now ("C:\..."), with every link resolved;
// "" where the system cannot tell (before Windows Vista).
std::string FinalPathOf(HANDLE handle);

// Deletes what the handle (opened with DELETE) stands for once the handle
// is closed; a folder must be empty. A read-only file is made writable
// first (the handle needs FILE_WRITE_ATTRIBUTES for that). False with the
// system's error.
bool DeleteThroughHandle(HANDLE handle, DWORD attributes);
