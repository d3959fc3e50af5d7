#pragma once

#include "system/program_launch.h"

#include <string>

class InstallView;
struct RunState;

// How a started program is waited for.
struct WaitOptions {
    bool hideWindow = true; // the main window is hidden while it runs
    std::string title;      // a window to close before and to see gone after; may be empty
};

// Starts a command line and waits until the program has ended, dispatching
// the window's messages meanwhile. False when it could not be started (then
// nothing was shown or hidden). `workingDir` null: the current directory.
bool StartAndWait(const std::string &commandLine, const char *workingDir, InstallView &view,
                  const WaitOptions &options);

// EXECUTE and the outside installers: the main window hidden while the
// program runs, a window of the title closed before and awaited after.
bool RunProgramAndWait(const ProgramLaunch &launch, InstallView &view);

// The same for a program the script names: one in the install folder only
// when this run wrote it there and it is still the CD's (held_files_win.h);
// false, with the failure reported, otherwise.
bool RunProgramAndWait(const ProgramLaunch &launch, const RunState &run, InstallView &view);
