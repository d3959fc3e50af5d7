#pragma once

#include "core/install_record.h"

#include <string>
#include <vector>

// Where the uninstaller that the list of programs runs lies, with the
// record it reads. On the NT family the install folder is open to every
// user while the uninstaller runs elevated (or as the system): so each
// uninstall entry gets a folder of its own that only administrators may
// change, "<Common Files>\Morvel\Uninstall\<entry name>\" (its "home").
// The Windows 95 family keeps the uninstaller in the install folder.

// The home of an entry; "" where the system names no common files folder.
std::string UninstallerHome(const std::string &entryName);

// True when the folder lies where setup makes homes.
bool InUninstallerHomes(const std::string &folder);

// Makes the home with its protected rights and copies the uninstaller into
// it (from `uninstaller`, the file this run installed it from). False, with
// a log line, when either fails.
bool PlaceUninstaller(const std::string &home, const std::string &uninstaller);
// Writes the record the home's uninstaller reads. False when it cannot.
bool KeepRecord(const std::string &home, const std::string &recordText);

// Deletes a home that is not the running program's: its uninstaller, its
// record, the folder.
void RemoveUninstallerHome(const std::string &home);

// An uninstall entry of the machine, read from the list of programs, which
// only administrators may change.
struct InstalledEntry {
    std::string keyName; // under the list of programs' key
    std::string displayName;
    std::string uninstallerDir; // canonical, ending in a backslash
    std::string location;       // InstallLocation, the same
};
std::vector<InstalledEntry> UninstallEntries();

// The entries whose install location or uninstaller folder is installDir
// (canonical, ending in a backslash).
std::vector<InstalledEntry> EntriesFor(const std::string &installDir);

// Deletes an entry's key; true when it went.
bool RemoveUninstallEntry(const std::string &keyName);

// The record an earlier installation into installDir left in its entry's
// home, read only from a home no one but administrators may change; not
// valid when there is none. `home` is set to the home it came from.
ParsedRecord ProtectedRecordFor(const std::string &installDir, std::string &home);
