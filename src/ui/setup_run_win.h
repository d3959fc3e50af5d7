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
// another setup or Uninst.exe holds the mark already (a quiet one, or one in
// another session, has no window to find). Every run is refused for it.
bool ClaimSetupRun();

// The exit code: with a command line the one its outcome gives, else 0.
// It is the log's last line.
int FinishSetupRun();
