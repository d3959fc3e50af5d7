#pragma once

#include <windows.h>

#include <string>

struct RunState;

// Finds everything the CD brings (PXD.INI, the install script, the marker
// file, the well-known directories), runs the script pre-pass, settles the
// language and opens the message catalog. On failure the user has seen why
// and the result is false: the main dialog then ends with 0.
bool LocateSource(HWND dialog, RunState &run);

// The current directory with a final backslash ("\" when it is unknown).
std::string CurrentDirectory();
