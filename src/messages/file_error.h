#pragma once

#include <string>

// The message box for a file that could not be handled before the window
// is up: the catalog's text for the cause (see files/file_errors.h), then
// the file name; caption "Setup".
void ShowFileError(int cause, const std::string &fileName);

class InstallView;

// The system's text of a Win32 error code ("Access is denied."), on one line.
std::string Win32ErrorText(unsigned long error);

// A file that failed with a Win32 error: the log's line (the file, the code
// and its text), then the box of ReportFileError.
void ReportWin32FileError(InstallView &view, unsigned long error, const std::string &fileName);
