#pragma once

struct RunState;
class InstallView;

// Runs the install once the main window shows its install layout and
// run.dirs.install holds the chosen directory: switches the screen saver off
// for the run, closes the windows the script names, cleans the install
// directory, then executes the command list. It ends the main dialog
// through the view.
void RunInstall(RunState &run, InstallView &view);
