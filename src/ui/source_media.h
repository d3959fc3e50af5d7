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

// Where the CD is: the current folder when it holds PXD.INI, as always;
// else setup's own folder when that holds it, which then becomes the
// current folder (a startup script over a share cannot make the share its
// current folder, and tools start programs anywhere). The log says which
// folder is used and where setup looked. Called at start-up, before
// anything reads the CD.
void SettleSourceFolder();
