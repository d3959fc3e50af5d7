#pragma once

struct RunState;

// Reads the install script named by run.scriptPath and walks it once before
// anything is shown: the command list and the install settings end up in
// run.settings, fonts the script brings are installed. False when the script
// cannot be opened, held in memory or read, or a sized file cannot be read.
bool RunScriptPrePass(RunState &run);
