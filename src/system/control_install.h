#pragma once

#include "core/script_commands.h"

#include <string>
#include <vector>

// What installing a web-viewer control does: the files copied from the
// component's folder on the CD, and the command line that registers the
// control with the registration program of that same folder.
struct ControlInstall {
    std::string sourceFolder; // ends in "\"
    std::string targetFolder; // ends in "\"
    std::vector<std::string> files;
    std::string registration;
};

// For WEBVIEWER and WEBSTER32. `targetDir` is the expanded directory of a
// WEBSTER32 line that names one; empty for the two-word line.
ControlInstall PlanControlInstall(ComponentKind kind, const std::string &sourceDir,
                                  const std::string &installDir, const std::string &targetDir);
