#pragma once

#include <windows.h>

// The peak working set of a running process in bytes (its host resident set
// under Wine), 0 when the system cannot tell. GetProcessMemoryInfo is looked
// up at run time, in kernel32 (K32...) or psapi, whichever the system has.
SIZE_T PeakWorkingSet(DWORD processId);

// Starts exe in cwd, waits for its first window and, settled for settleMs,
// reads its peak working set; then presses the button quitButton and waits
// for the end. 0 when no window showed.
SIZE_T IdlePeakWorkingSet(const char *exe, const char *cwd, int quitButton, DWORD settleMs);

inline double Megabytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / 1048576.0;
}
