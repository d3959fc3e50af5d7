#pragma once

#include "uninst/removal_plan.h"

#include <string>
#include <vector>

// What became of a removal.
struct RemovalOutcome {
    std::vector<std::string> kept;     // installed files changed since: left in place
    std::vector<std::string> denied;   // files the user may not delete: left in place
    std::vector<std::string> ignored;  // the record's lines outside what setup can have made
    std::vector<std::string> deferred; // in use: removed at the next restart
    std::vector<std::string> inUse;    // in use where others may write: left in place
    std::vector<std::string> folders;  // folders setup made that still hold files of the user's
};

// Carries the plan out, then takes the install directory's copy of the
// record and, on the NT family when setup made it, the install directory
// itself once empty. The running program's own file is not removed here:
// see RemoveSelfAtRestart.
RemovalOutcome CarryOut(const RemovalPlan &plan, const std::string &installDir,
                        const std::string &ownPath, bool installDirRecorded);

// The program's own file, and on the NT family its folder once empty, go at
// the next restart: a running program cannot delete itself.
void RemoveSelfAtRestart(const std::string &ownPath, const std::string &folder);

// True when a file or folder of that name exists.
bool PathExists(const std::string &path);
