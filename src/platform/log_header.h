#pragma once

#include <string>

// Writes the first lines of the process's log (core/run_log): the program
// and its version with the date and time, its command line, and the Windows
// version and family it runs on. Nothing when no log is open.
void WriteLogHeader(const std::string &program, const char *commandLine);
