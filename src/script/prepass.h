#pragma once

struct RunState;

// Reads the install script named by run.scriptPath and walks it once before
// anything is shown: the command list and the install settings end up in
// run.settings. False when the script cannot be used.
bool RunScriptPrePass(RunState &run);
