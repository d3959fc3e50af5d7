#pragma once

#include <optional>
#include <string>

class InstallView;

// The path of a shell folder (CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_FONTS),
// without a final backslash, asked from the shell each time. When the shell
// cannot give it the user is told and there is none: the command that
// wanted it is skipped, so that nothing lands at the root of the drive.
std::optional<std::string> SpecialFolderPath(int csidl, InstallView &view);
// The same before the main window is up (the font pre-pass); empty when the
// shell cannot give it.
std::string SpecialFolderPath(int csidl);
