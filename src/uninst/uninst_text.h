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

// The first word of the command line that is neither /S nor /LOG=file (in
// either spelling); "" when every word is known.
std::string UnknownSwitch(const std::string &commandLine);

// How a removal ended, and the exit code deployment tools read from it:
// 0 removed (files the user made or changed, kept and listed, count as
// removed), 3010 something waits for the restart, 1605 nothing of the
// product is installed here, 1602 the user said No, 1603 failed (a record
// refused, a file in use or not to be deleted left in place), 1618 a setup
// runs, 1639 a switch not known.
struct UninstResult {
    bool unknownSwitch = false;
    bool setupRunning = false;
    bool nothingInstalled = false;
    bool declined = false;
    bool refused = false;
    std::size_t leftInPlace = 0;
    std::size_t deferred = 0;
};
int UninstExitCode(const UninstResult &result);

// The name the question and the closing message give the product when the
// uninstall entry has none: the install directory's last folder.
std::string FolderName(const std::string &installDir);
