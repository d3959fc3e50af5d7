#pragma once

#include <optional>
#include <string>

struct Directories;
class InstallView;

// What a started program is given: its command line, its working directory
// and the title of a window that must be gone before and after it runs.
struct ProgramLaunch {
    std::string program; // the program's path, as the command line names it
    std::string commandLine;
    std::string workingDir;
    std::string title; // empty: no window is watched
};

// A title that is empty or begins with a blank names no window.
std::string WatchedTitle(const std::string &title);

// A path for a command line: quoted when it holds a blank, so that
// "C:\Demo Title\GAME.EXE" is not read as "C:\Demo.exe".
std::string CommandLinePath(const std::string &path);

// The program an uninstall entry's command line names: its quoted first
// word, or all of it ("" for an unclosed quote).
std::string CommandProgram(const std::string &command);

// The command line "program [arguments]" and the working directory of a
// program word and its directory word (both file arguments of the script).
// Nothing when a word is malformed: the run has then been ended.
std::optional<ProgramLaunch> PrepareLaunch(const std::string &program, const std::string &arguments,
                                           const std::string &dirWord, const std::string &title,
                                           const Directories &dirs, InstallView &view);
