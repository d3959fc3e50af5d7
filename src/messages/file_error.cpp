#include "messages/file_error.h"

#include "messages/catalog.h"
#include "messages/text_format.h"

#include <windows.h>

int FileErrorCause(unsigned long win32Error) {
    switch (win32Error) {
    case NO_ERROR: return 0;
    case ERROR_FILE_NOT_FOUND: return 2;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME: return 3;
    case ERROR_TOO_MANY_OPEN_FILES: return 4;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED: return 5;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_NAME: return 6;
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY: return 7;
    case ERROR_CANNOT_MAKE: return 8;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return 9;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND: return 10;
    case ERROR_SHARING_VIOLATION: return 11;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED: return 12;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return 13;
    case ERROR_HANDLE_EOF: return 14;
    default: return 1;
    }
}

void ShowFileError(int cause, const std::string &fileName) {
    const char *name = FileErrorCauseName(cause);
    const std::string text = (name ? SetupText(name) : std::string()) + fileName;
    MessageBoxA(GetActiveWindow(), text.c_str(), "Setup", MB_OK | MB_ICONEXCLAMATION);
}
