#pragma once

#include "core/install_settings.h"
#include "core/trust_rules.h"

#include <cstdint>
#include <string>
#include <vector>

// Directories of a run; every one ends in a backslash.
struct Directories {
    std::string current; // the CD root: the process's current directory
    std::string source;  // the product's files on the CD
    std::string install; // chosen install directory
    std::string windows;
    std::string system;
    // Finding the desktop asks the shell, whose libraries are large and most
    // runs never need: when findDesktop is set, it is called on the first
    // use of Desktop() instead of at start-up.
    mutable std::string desktop;
    mutable std::string (*findDesktop)() = nullptr;

    const std::string &Desktop() const {
        if (findDesktop) {
            desktop = findDesktop();
            findDesktop = nullptr;
        }
        return desktop;
    }
};

// One line of the drive list.
struct DriveEntry {
    std::string path;        // e.g. "C:\\Demo Title\\"
    std::string description; // free space or the version found there
    bool mayInstall = false; // the product may go on this drive
    bool reinstall = false;  // an installation of this product is already there
};

// Everything one run of setup knows: filled by the source location at
// start-up, by the pre-pass and by the drive scan. Owned by the main dialog
// and handed by reference to the modules that need it.
struct RunState {
    Directories dirs;
    std::string settingsPath; // PXD.INI
    std::string markerName;   // e.g. ABCDF110.CD1
    std::string productCode;  // first four characters of the marker, upper case
    std::string productName;  // [general] product, up to 127 characters
    int productVersion = 0;   // times 100: 110 is 1.10
    bool diskOne = false;
    std::string scriptPath;
    std::string programPath; // install directory + [general] Exec, set when the run starts
    std::uint32_t spaceFirstInstall = 0; // bytes
    std::uint32_t spaceReinstall = 0;    // bytes
    std::uint32_t spaceRequired = 0;     // bytes, the one the welcome text shows
    InstallSettings settings;
    std::vector<DriveEntry> drives; // in list order
    // The program files this run wrote into the install folder (NT family).
    WrittenFiles written;
};
