#pragma once

#include "messages/text_format.h" // FillName

#include <string>

// The uninstaller's command line and texts, decided without Win32.

// True when the command line (program name included, as GetCommandLine
// gives it) holds the word /S or -S in any case.
bool SilentSwitch(const std::string &commandLine);

// The file of /LOG=file or -LOG=file (in any case; quotes allow blanks in
// it), or empty.
std::string LogSwitch(const std::string &commandLine);

// The name the question and the closing message give the product when the
// uninstall entry has none: the install directory's last folder.
std::string FolderName(const std::string &installDir);
