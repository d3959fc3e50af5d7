#pragma once

#include <cstdint>
#include <string>

// How the names of shortcuts, program groups and the uninstall entry are
// built from the script's words and the product's settings. Portable: the
// shell handlers only act on what these give.

// " V.1.02" for product version 102.
std::string VersionSuffix(int productVersion);

// A program group name: the first "*PRODUCT" in capitals and everything
// after it become the product name (at most 79 characters). Any other case
// of the token stays as written.
std::string GroupNameWithProduct(const std::string &name, const std::string &productName);

// The folder a shortcut starts in: the target up to its last backslash, or
// the whole target when it has none.
std::string WorkingDirectoryOf(const std::string &target);

// The file and the description of an ADDSTART LINK shortcut.
struct LinkName {
    std::string path;        // ends in ".LNK"
    std::string description; // the name with its suffixes
};
struct LinkNameParts {
    std::string groupFolder; // Programs folder, "\" and the group, without a final "\"
    std::string name;        // the name word, product token already replaced
    bool addVersion = false;
    bool addLanguageAndDrive = false;
    int productVersion = 0;
    std::string languageText; // e.g. "English on drive"
    char drive = 0;           // first character of the target
};
LinkName ProgramLinkName(const LinkNameParts &parts);

// The name of a Startup shortcut: the target's file name up to its first
// ".", at most 31 characters.
std::string StartupBaseName(const std::string &target);
// The Startup folder, the base name, the language text and the drive letter:
// "...\Startup\Game English on drive D.LNK".
std::string StartupLinkPath(const std::string &startupFolder, const std::string &baseName,
                            const std::string &languageText, char drive);

// The uninstall entry: the product (at most 127 characters), its version,
// " on " and the install drive's letter; the key it lies under; and the
// quoted uninstaller path.
std::string UninstallDisplayName(const std::string &productName, int productVersion,
                                 const std::string &installDir);
std::string UninstallKey(const std::string &displayName);
// True when an entry's display name is one UninstallDisplayName gives the
// product, whatever its version and drive.
bool SameProductEntry(const std::string &displayName, const std::string &productName);
std::string UninstallCommand(const std::string &installDir);
// What the uninstall entry tells deployment tools and the list of programs:
// the uninstaller with " /S", the install directory without its final
// backslash (a drive's root keeps it), the version as the marker writes it
// ("1.10") and the size in KiB, rounded up.
std::string QuietUninstallCommand(const std::string &installDir);
std::string InstallLocationOf(const std::string &installDir);
std::string DisplayVersionOf(int productVersion);
std::uint32_t EstimatedSizeOf(std::uint64_t bytes);
