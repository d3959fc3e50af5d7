#pragma once

#include <string>

// Cause code of a failed file operation ("fe_none" 0 .. "fe_EOF" 14) for a
// Win32 error code.
int FileErrorCause(unsigned long win32Error);

// The message box for a file that could not be handled: the catalog's text
// for the cause, then the file name; caption "Setup".
void ShowFileError(int cause, const std::string &fileName);
