#pragma once

#include <cstdint>
#include <string>

// Texts of the drive list's descriptions in the current language: from the
// catalog when it is open, else the string table and the built-in units.
struct DriveTexts {
    std::string versionLabel; // "Detected version : "
    std::string freeLabel;    // "Free space: "
    std::string gigaUnit;     // " Gb"
    std::string megaUnit;     // " Mb"
    std::string overTwoGiga;  // "> 2 Gb"
};

// The units as each language writes them when no catalog speaks for the CD.
DriveTexts BuiltInDriveTexts(int languageIndex, std::string versionLabel, std::string freeLabel);

// Free bytes of a drive as the list counts them: at most 0x7FFFFFFF, which
// means "more than 2 GB".
constexpr std::uint32_t kFreeSpaceCap = 0x7FFFFFFF;
std::uint32_t CapFreeBytes(std::uint64_t bytes);
// The free room GetDiskFreeSpaceA reports, counted in 64 bits and capped as
// above: a large drive holds more than 4 GB.
std::uint32_t FreeBytesOfClusters(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                                  std::uint32_t freeClusters);

// "Detected version : 1.10" for a version times 100.
std::string VersionDescription(const DriveTexts &texts, int version);
// "Free space:    1.50  Gb"; "Free space: > 2 Gb" from kFreeSpaceCap on.
std::string FreeSpaceDescription(const DriveTexts &texts, std::uint32_t freeBytes);

// One line of the list box: the path without its final backslash, three
// blanks and the bracketed description.
std::string DriveListLine(const std::string &path, const std::string &description);

// The version a marker name (PPPPLVVV.CDn) carries in the three characters
// that begin seven before its end; 0 when they hold no number.
int MarkerVersion(const std::string &markerName);
// The marker of the same product and language in any version: the version
// digits become "?". Names too short for that are used as they are.
std::string AnyVersionPattern(const std::string &markerName);
