#pragma once

#include <string>

// Writes the first lines of the process's log (core/run_log): the program
// and its version with the date and time, its command line, the Windows
// version and family it runs on, the account and whether it is elevated,
// the ANSI code page and the log's own full path. Nothing when no log is
// open. Called right after the log is opened, before anything changes the
// current folder; from then on each line carries its local time.
void WriteLogHeader(const std::string &program, const char *commandLine);
