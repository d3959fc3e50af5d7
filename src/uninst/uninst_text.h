#pragma once

#include <string>

// The uninstaller's command line and texts, decided without Win32.

// True when the command line (program name included, as GetCommandLine
// gives it) holds the word /S or -S in any case.
bool SilentSwitch(const std::string &commandLine);

// The text with each %1 replaced by the name.
std::string FillName(const std::string &text, const std::string &name);

// The name the question and the closing message give the product when the
// uninstall entry has none: the install directory's last folder.
std::string FolderName(const std::string &installDir);
