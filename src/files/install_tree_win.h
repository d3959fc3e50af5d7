#pragma once

#include <windows.h>

#include <map>
#include <string>

// The install folder while setup writes into it. On the NT family a folder
// made at a drive's root is open to every user, who could turn it, or a
// folder below it, into a link to elsewhere (a junction) and so steer what
// an administrator's setup writes or deletes. So every folder of the tree
// is entered only once it is known to be a real folder, and is then held
// open, so that it can be neither renamed nor replaced until the run ends.
// The Windows 95 family has neither links nor accounts: nothing is held.
class InstallTree {
public:
    // installDir ends in a backslash. While it lives it is the run's tree.
    explicit InstallTree(const std::string &installDir);
    ~InstallTree();
    InstallTree(const InstallTree &) = delete;
    InstallTree &operator=(const InstallTree &) = delete;

    // The first level below the drive's root that is a link, on the way to
    // the install folder or the install folder itself; "" when none is.
    std::string LinkOnTheWay() const;

    // True when the folder may be written into: outside the tree, or a real
    // folder of it (held from now on); false for a link.
    bool Enter(const std::string &folder);
    // Lets go of a folder and what lies below it, before setup removes them.
    void Leave(const std::string &folder);
    // True when the folder lies inside the install folder.
    bool Inside(const std::string &folder) const;

private:
    std::string installDir_;
    std::map<std::string, HANDLE> held_; // upper-case paths without the final backslash
    std::string lastEntered_;
};

// The run's tree, or true and nothing when no run is writing (the tools,
// the tests, the Windows 95 family).
bool EnterFolder(const std::string &folder);
void LeaveFolder(const std::string &folder);
InstallTree *RunInstallTree();

// Makes a folder of the install tree, and takes an existing one that is a
// link inside the install folder away (as the link it is) first. True when
// it was made now; `real` tells whether it can be entered.
bool MakeRealFolder(const std::string &folder, bool &real);
