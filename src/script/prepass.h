#pragma once

struct RunState;

enum class PrePassOutcome {
    Done,
    Failed, // the script cannot be opened, held in memory or read, or a sized file cannot be read
    Ended,  // a line ended the installation and has told the user why
};

// Reads the install script named by run.scriptPath and walks it once before
// anything is shown: the command list and the install settings end up in
// run.settings, fonts the script brings are installed.
PrePassOutcome RunScriptPrePass(RunState &run);
