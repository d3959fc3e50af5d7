#pragma once

#include <string>

// The message box for a file that could not be handled before the window
// is up: the catalog's text for the cause (see files/file_errors.h), then
// the file name; caption "Setup".
void ShowFileError(int cause, const std::string &fileName);
