#include "messages/file_errors.h"

#include "messages/catalog.h"
#include "core/install_view.h"

#include <iterator>

const char *FileErrorMessageName(int cause) {
    static const char *const kNames[] = {
        "fe_none",          "fe_unknown",      "fe_fileNotFound", "fe_pathNotFound",
        "fe_maxFileOpen",   "fe_accessDenied", "fe_invalidFile",  "fe_cannotRemoveDir",
        "fe_dirFull",       "fe_seekError",    "fe_hardIO",       "fe_sharingViolation",
        "fe_lockViolation", "fe_diskFull",     "fe_EOF"};
    if (cause < 0 || cause >= static_cast<int>(std::size(kNames)))
        return nullptr;
    return kNames[cause];
}

int FileErrorCauseOfWin32(unsigned long win32Error) {
    // Win32 error codes are fixed numbers; spelled out here so that the
    // mapping stays portable and testable.
    static const struct {
        unsigned long code;
        int cause;
    } kMap[] = {
        {0, kFileErrorNone},
        {2, kFileErrorNotFound},           // ERROR_FILE_NOT_FOUND
        {3, kFileErrorBadPath},            // ERROR_PATH_NOT_FOUND
        {4, kFileErrorTooManyOpen},        // ERROR_TOO_MANY_OPEN_FILES
        {5, kFileErrorAccessDenied},       // ERROR_ACCESS_DENIED
        {6, kFileErrorInvalidFile},        // ERROR_INVALID_HANDLE
        {11, kFileErrorInvalidFile},       // ERROR_BAD_FORMAT
        {12, kFileErrorAccessDenied},      // ERROR_INVALID_ACCESS
        {15, kFileErrorBadPath},           // ERROR_INVALID_DRIVE
        {16, kFileErrorRemoveCurrentDir},  // ERROR_CURRENT_DIRECTORY
        {17, kFileErrorBadPath},           // ERROR_NOT_SAME_DEVICE
        {18, kFileErrorNotFound},          // ERROR_NO_MORE_FILES
        {19, kFileErrorAccessDenied},      // ERROR_WRITE_PROTECT
        {20, kFileErrorHardIo},            // ERROR_BAD_UNIT
        {21, kFileErrorHardIo},            // ERROR_NOT_READY
        {22, kFileErrorHardIo},            // ERROR_BAD_COMMAND
        {23, kFileErrorHardIo},            // ERROR_CRC
        {24, kFileErrorBadSeek},           // ERROR_BAD_LENGTH
        {25, kFileErrorBadSeek},           // ERROR_SEEK
        {26, kFileErrorInvalidFile},       // ERROR_NOT_DOS_DISK
        {27, kFileErrorBadSeek},           // ERROR_SECTOR_NOT_FOUND
        {29, kFileErrorAccessDenied},      // ERROR_WRITE_FAULT
        {30, kFileErrorBadSeek},           // ERROR_READ_FAULT
        {32, kFileErrorSharingViolation},  // ERROR_SHARING_VIOLATION
        {33, kFileErrorLockViolation},     // ERROR_LOCK_VIOLATION
        {34, kFileErrorBadPath},           // ERROR_WRONG_DISK
        {36, kFileErrorTooManyOpen},       // ERROR_SHARING_BUFFER_EXCEEDED
        {38, kFileErrorEndOfFile},         // ERROR_HANDLE_EOF
        {39, kFileErrorDiskFull},          // ERROR_HANDLE_DISK_FULL
        {53, kFileErrorBadPath},           // ERROR_BAD_NETPATH
        {65, kFileErrorAccessDenied},      // ERROR_NETWORK_ACCESS_DENIED
        {67, kFileErrorBadPath},           // ERROR_BAD_NET_NAME
        {80, kFileErrorAccessDenied},      // ERROR_FILE_EXISTS
        {82, kFileErrorAccessDenied},      // ERROR_CANNOT_MAKE
        {108, kFileErrorLockViolation},    // ERROR_DRIVE_LOCKED
        {112, kFileErrorDiskFull},         // ERROR_DISK_FULL
        {123, kFileErrorBadPath},          // ERROR_INVALID_NAME
        {131, kFileErrorBadSeek},          // ERROR_NEGATIVE_SEEK
        {145, kFileErrorRemoveCurrentDir}, // ERROR_DIR_NOT_EMPTY
        {161, kFileErrorBadPath},          // ERROR_BAD_PATHNAME
        {167, kFileErrorLockViolation},    // ERROR_LOCK_FAILED
        {183, kFileErrorAccessDenied},     // ERROR_ALREADY_EXISTS
        {206, kFileErrorBadPath},          // ERROR_FILENAME_EXCED_RANGE
        {267, kFileErrorBadPath},          // ERROR_DIRECTORY
        {995, kFileErrorHardIo},           // ERROR_OPERATION_ABORTED
        {1117, kFileErrorHardIo},          // ERROR_IO_DEVICE
    };
    for (const auto &entry : kMap) {
        if (entry.code == win32Error)
            return entry.cause;
    }
    return kFileErrorGeneric;
}

void ReportFileError(InstallView &view, int cause, const std::string &fileName) {
    const char *name = FileErrorMessageName(cause);
    std::string text = name ? SetupText(name) : std::string();
    text += fileName;
    view.Alert(text, "Setup");
}
