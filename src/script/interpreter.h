#pragma once

#include <windows.h>

struct RunState;
class InstallView;

// Runs the install once the main window shows its install layout and
// run.dirs.install holds the chosen directory: closes the windows the
// script names, cleans the install directory, then executes the command
// list in order. It ends the main dialog through the view: after ALLDONE,
// at the end of the list, or at a line that is no command.
void RunInstall(RunState &run, InstallView &view, HWND owner);
