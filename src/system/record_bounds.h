#pragma once

#include "core/install_record.h"
#include "system/setup_keys.h"

#include <functional>
#include <string>
#include <vector>

// What an install record may name. The record lies in the install
// directory, where any user may write; the uninstaller often runs with an
// administrator's rights. So it removes, and a reinstallation carries over
// into its new record, only the lines that name what setup can have made:
// files and folders inside the install directory, program groups and
// shortcuts inside the shell's folders, registry keys and values under the
// keys setup writes, the lines of the batch file setup edits.
struct RecordBounds {
    std::string installDir;                // ends in a backslash
    std::vector<std::string> shellFolders; // Programs, Startup, Desktop, the user's and the
                                           // common ones; each ends in a backslash
    std::string batchFile;                 // the boot batch file SPECIAL ADDPATH edits
    SetupKeyNames keyNames;                // this installation's names in the registry
};

// A path's one name, "" when it has none (on Windows CanonicalPath); the
// folders of the bounds are canonical already.
using CanonicalPathFn = std::function<std::string(const std::string &)>;

// A file recorded outside the install directory and the program groups
// (the system folder, the fonts) is shared with other programs: it is in
// neither list, and stays.
struct ScreenedRecord {
    std::vector<RecordEntry> accepted; // in the record's order, their paths canonical
    std::vector<RecordEntry> refused;  // as the record gives them
};
ScreenedRecord ScreenRecord(const std::vector<RecordEntry> &entries, const RecordBounds &bounds,
                            const CanonicalPathFn &canonical);

// True for "X:\..." or "\\server\share\..." without empty, "." or ".."
// levels, wildcards, stream names or control characters: the shape of every
// canonical path (a drive's root alone ends in its backslash).
bool CanonicalShape(const std::string &path);

// True when path lies inside dir (which ends in a backslash); ASCII case
// does not count.
bool PathInside(const std::string &path, const std::string &dir);
// The same, or path is dir itself.
bool PathInsideOrSame(const std::string &path, const std::string &dir);

// A refused line as the uninstaller lists it: its path, or the registry
// root, key and value name.
std::string RecordLineText(const RecordEntry &entry);
