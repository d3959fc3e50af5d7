#pragma once

// Causes of a failed file operation, as the catalog names their messages.
enum FileErrorCause : int {
    kFileErrorNone = 0,
    kFileErrorGeneric = 1,
    kFileErrorNotFound = 2,
    kFileErrorBadPath = 3,
    kFileErrorTooManyOpen = 4,
    kFileErrorAccessDenied = 5,
    kFileErrorInvalidFile = 6,
    kFileErrorRemoveCurrentDir = 7,
    kFileErrorDirectoryFull = 8,
    kFileErrorBadSeek = 9,
    kFileErrorHardIo = 10,
    kFileErrorSharingViolation = 11,
    kFileErrorLockViolation = 12,
    kFileErrorDiskFull = 13,
    kFileErrorEndOfFile = 14,
};

// The SETUP catalog message for a cause ("fe_none" .. "fe_EOF"); nullptr for
// a cause outside that range.
const char *FileErrorMessageName(int cause);

// The cause of a Win32 error code (a GetLastError value).
int FileErrorCauseOfWin32(unsigned long win32Error);

#include <string>

class InstallView;

// The message box of a file that could not be handled: the catalog's text
// for the cause, then the file name, caption "Setup". The installation goes
// on.
void ReportFileError(InstallView &view, int cause, const std::string &fileName);
