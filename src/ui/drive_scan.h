#pragma once

#include "ui/drive_entry.h"

#include <cstdint>
#include <string>
#include <vector>

struct DriveEntry;

// What the scan asks of the machine; setup answers through Win32, tests with
// a made-up set of drives.
class DriveProbes {
public:
    virtual ~DriveProbes() = default;
    // A hard, removable or network drive; CD-ROM, RAM and absent drives are not.
    virtual bool MayHoldProduct(const std::string &root) = 0;
    virtual bool FileExists(const std::string &path) = 0;
    // The name of the first file matching a pattern, "" when none does.
    virtual std::string FirstMatch(const std::string &pattern) = 0;
    // Free bytes of a root ("C:\"), capped at kFreeSpaceCap; 0 when unknown.
    virtual std::uint32_t FreeBytes(const std::string &root) = 0;
    // [setup] "rechname" and "rechver" of PXD.INI.
    virtual std::string EarlierInstallFile() = 0;
    virtual int EarlierInstallVersion() = 0;
};

struct DriveScanInput {
    std::string installDir; // e.g. "\Demo Title"
    std::string markerName; // upper case
    int productVersion = 0; // the CD's, times 100
    std::uint32_t spaceFirstInstall = 0;
    std::uint32_t spaceReinstall = 0;
    DriveTexts texts;
};

struct DriveScanResult {
    std::vector<DriveEntry> entries; // in list order
    int defaultSelection = -1;
    bool installationFound = false;
    std::uint32_t spaceRequired = 0; // as the last examined drive left it
};

// Examines the letters C to Z in order.
DriveScanResult ScanDrives(const DriveScanInput &input, DriveProbes &probes);

// The entry setup installs on without asking: the one of the drive /D=
// names, else the one the list selects. index -1 when that entry may not
// take the product; why then says so.
struct DriveChoice {
    int index = -1;
    std::string why;
};
DriveChoice ChooseDrive(const std::vector<DriveEntry> &entries, int defaultSelection,
                        const std::string &destination);

// The install directory a /D= folder gives the scan ("\Games\Demo" of
// "E:\Games\Demo"); the CD's own for a drive alone or no /D=.
std::string InstallDirOfDestination(const std::string &destination,
                                    const std::string &cdInstallDir);

// No entry may take the product and nothing was found installed: the user
// is told that no disk has room.
bool NoDiskHasRoom(const DriveScanResult &result);
