#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct RunState;

// Free bytes of a root path ("C:\") capped at 2 GB - 1; 0 when the system
// cannot tell.
std::uint32_t FreeBytesOfRoot(const std::string &root);

// Scans the drives into run.drives and fills the list box, selecting the
// default entry. False when the dialog must end: an empty list (silently) or
// no disk with room (after saying so).
bool FillDriveList(HWND dialog, int listId, RunState &run);
