#pragma once

#include "ui/drive_scan.h"

#include <windows.h>

#include <cstdint>
#include <string>

struct RunState;

// Free bytes of a root path ("C:\") capped at 2 GB - 1; 0 when the system
// cannot tell.
std::uint32_t FreeBytesOfRoot(const std::string &root);

// Scans the drives into run.drives, for the folder /D= names when it names
// one, and chooses the entry to select: the drive /D= names, else the
// default one. False when setup must end: an empty list (silently) or no
// disk with room (after saying so).
bool ScanDriveList(HWND owner, RunState &run, DriveChoice &choice);

// ScanDriveList, then fills the list box and selects the chosen entry (the
// default one when /D= names a drive that may not take the product).
bool FillDriveList(HWND dialog, int listId, RunState &run);
