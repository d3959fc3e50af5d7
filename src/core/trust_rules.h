#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What setup and Uninst.exe may trust on the NT family, where they run with
// an administrator's rights (or as the system) while the install folder is
// open to every user: the decisions, without the calls that feed them.

// One entry of a folder's access list, as the system gives it; the account
// as its "S-1-..." text.
struct AccessEntry {
    bool allow = true;
    bool inheritOnly = false; // applies to what is made below, not to the folder
    std::string account;
    std::uint32_t rights = 0;
};

struct FolderSecurity {
    bool hasList = true; // false: no access list, so every account may do everything
    std::string owner;   // the owner may always change the list
    std::vector<AccessEntry> entries;
};

// The accounts the protected folders give rights to.
extern const char kSystemAccount[];         // LocalSystem
extern const char kAdministratorsAccount[]; // the Administrators group
extern const char kUsersAccount[];          // the Users group

// True when an account other than the system, the administrators, the
// system's own installer service and `self` (the account asking, which
// gains nothing by trusting what it may change itself) may write into the
// folder, delete or rename it, or change its access list (as its owner or
// by a right).
bool OthersMayWrite(const FolderSecurity &security, const std::string &self);

// The folders of a full path below its root, outermost first:
// "C:\A\B\" gives "C:\A" and "C:\A\B"; "\\srv\share\A" gives "\\srv\share\A".
std::vector<std::string> LevelsBelowRoot(const std::string &path);

// A file setup might start, load or have registered, by its extension
// (EXE, DLL, OCX, ...): one the copy engine never leaves older in the
// install folder, and one setup starts there only when this run wrote it.
bool IsProgramFile(const std::string &path);

// The program files this run wrote into place, each with the file it was
// copied from (the CD's). Paths are compared without ASCII case.
class WrittenFiles {
public:
    void Add(const std::string &destination, const std::string &source);
    // The source of what this run wrote at that path; null when it wrote none.
    const std::string *SourceOf(const std::string &destination) const;

private:
    std::map<std::string, std::string> sources_;
};

// Whether setup may start, load or register a file (canonical path):
// outside the install folder (ending in a backslash) as always; inside it
// only what this run wrote, and only while it still holds the CD's bytes.
enum class LaunchCheck { Start, SameAsSource, Refuse };
struct LaunchDecision {
    LaunchCheck check = LaunchCheck::Refuse;
    std::string source; // for SameAsSource: the file it must equal
};
LaunchDecision DecideLaunch(const std::string &path, const std::string &installDir,
                            const WrittenFiles &written);

// A folder name for an uninstall entry's name: what a file name cannot hold
// becomes "_", and the name is cut to 64 characters.
std::string FolderNameOf(const std::string &entryName);

// A path as GetFinalPathNameByHandle gives it ("\\?\C:\X", "\\?\UNC\srv\s\X")
// in its usual spelling ("C:\X", "\\srv\s\X").
std::string PlainFinalPath(const std::string &finalPath);
