#pragma once

// A run of setup as its command line starts it and its exit code ends it.

// Reads the command line into App().options and, with /LOG=, opens the log
// and writes its header (version, date and time, command line, Windows, the
// account, the code page, the log's path, the source folder). Settles the
// source folder and whether the shortcuts go to the common folders.
void StartSetupRun(const char *commandLine);

// False when setup must end before anything is done: a switch it does not
// know (without /S the list of switches is shown), or /? (the list).
bool SwitchesAllowRun();

// Marks the system as running a setup until this process ends; false when
// another setup holds the mark already (a quiet one has no window to find).
// Only a run with switches is refused for it: without a command line setup
// looks for the other one's window alone, as it always has.
bool ClaimSetupRun();

// The exit code: with a command line the one its outcome gives, else 0.
// It is the log's last line.
int FinishSetupRun();
