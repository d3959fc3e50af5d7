#pragma once

#include <windows.h>

#include <string>

class InstallView;

// Writes one shortcut file through the shell's link object: target,
// arguments, the target's folder as working directory, description, and the
// icon (index 0) when one is named. The shell gets a moment (50 ticks of the
// main window's fast timer) to settle after the object is made. Returns the
// status of the save; callers need not look at it.
HRESULT CreateShellLink(InstallView &view, const std::string &target, const std::string &arguments,
                        const std::string &linkPath, const std::string &description,
                        const std::string &iconPath);

// The target of a shortcut file, or "" when it cannot be read or resolved.
HRESULT ResolveShellLink(HWND owner, const std::string &linkPath, std::string &target);

// The target a shortcut file names, as stored: nothing is resolved or
// searched for, so a shortcut to a file that is gone still reads.
HRESULT ReadShellLinkTarget(const std::string &linkPath, std::string &target);
