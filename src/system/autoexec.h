#pragma once

#include <string>

// SPECIAL ADDPATH: the two lines appended to the boot batch file. Every run
// appends them again; the old content stays byte for byte, so a last line
// without its line end is continued by the marker.
extern const char kAutoexecMarkerLine[];

// "C:\AUTOEXEC.BAT" for the Windows directory "C:\WINDOWS\".
std::string AutoexecPath(const std::string &windowsDir);

// The file's new content: the old one, the marker line and the PATH line for
// the directory, each line ended by CR LF.
std::string AppendPathLines(const std::string &content, const std::string &directory);
