#pragma once

#include <optional>
#include <string>

class InstallView;

// The path of a shell folder (CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_FONTS),
// without a final backslash, asked from the shell each time. When the shell
// cannot give it the user is told and there is none: the command that
// wanted it is skipped, so that nothing lands at the root of the drive.
// With /ALLUSERS or as LocalSystem on the NT family the programs and
// Startup folders are those of all users.
std::optional<std::string> SpecialFolderPath(int csidl, InstallView &view);

// The folder the run's shortcuts go to in place of csidl: with /ALLUSERS or
// as LocalSystem on the NT family the common programs, Startup and desktop
// folders; else csidl itself (the Windows 95 family has no common folders).
int ShortcutFolderOf(int csidl);
// The same before the main window is up (the font pre-pass); empty when the
// shell cannot give it.
std::string SpecialFolderPath(int csidl);
// The same without a word to the user: "" when the shell cannot give it
// (the common folders of a system without them).
std::string ShellFolderIfAny(int csidl);
