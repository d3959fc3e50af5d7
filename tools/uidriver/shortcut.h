#pragma once

// The shell's special folders, and shortcut files read back through the
// shell's link object, as a user's shell would show them.

#include <string>

namespace ui {

struct Shortcut {
    bool loaded = false; // false: no link object, or the file did not load
    std::string target, arguments, workingDirectory, description, iconPath;
    int iconIndex = -1; // -1: not read
};

// The path of a special folder (CSIDL_...), "" when the shell has none.
std::string ShellFolder(int csidl);

// The fields of a .LNK file as stored (nothing is resolved). The caller has
// started COM.
Shortcut ReadShortcut(const std::string &linkFile);

} // namespace ui
