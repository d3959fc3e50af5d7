#pragma once

#include <string>
#include <string_view>

// Exit codes of a run started with switches: the ones deployment tools know
// from Windows Installer.
enum ExitCode : int {
    kExitInstalled = 0,
    kExitRestartNeeded = 3010,
    kExitUserEnded = 1602,
    kExitFailed = 1603,
    kExitAnotherSetup = 1618,
    kExitBadSwitch = 1639,
};

// What setup's command line asks for. Switches are read in any case and
// begin with "/" or "-". The silent switches of other installers mean /S
// (/VERYSILENT, /SILENT, /QUIET, /Q) and /DIR= means /D=, so that the
// command lines of deployment tools and old CDs work. Without /S, words
// setup does not know (an autorun line's "AUTORUN") are ignored and the
// window opens as it always has; with /S they refuse the run, since nobody
// would see what was meant.
struct CommandLine {
    bool any = false;      // the command line held a switch setup reads
    bool valid = true;     // false: a word refused (see above), or /D= naming no drive
    std::string refused;   // the word that made it invalid
    std::string ignored;   // the words ignored without /S, blank-separated
    bool quiet = false;    // /S
    bool help = false;     // /?
    bool allUsers = false; // /ALLUSERS
    bool directX = false;  // /DIRECTX
    std::string logPath;   // /LOG=file
    // /D=X: or /D=X:\folder, without quotes; empty when not given.
    std::string destination;
};

// Reads the command line (without the program's own name). /D= takes the
// rest of the line, blanks included; a value in double quotes ends at the
// closing quote, as does /LOG='s.
CommandLine ParseCommandLine(std::string_view line);

// /D= named only a drive ("X:"): the CD's install directory goes on it.
bool DestinationIsDrive(const std::string &destination);

// The lines of the box /? shows.
std::string SwitchesHelpText();
