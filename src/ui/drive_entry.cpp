#include "ui/drive_entry.h"

#include <cstdio>

DriveTexts BuiltInDriveTexts(int languageIndex, std::string versionLabel, std::string freeLabel) {
    DriveTexts texts;
    texts.versionLabel = std::move(versionLabel);
    texts.freeLabel = std::move(freeLabel);
    if (languageIndex == 1) {
        texts.gigaUnit = " Gb";
        texts.megaUnit = " Mb";
        texts.overTwoGiga = "> 2 Gb";
    } else if (languageIndex == 2) {
        texts.gigaUnit = " GB";
        texts.megaUnit = " MB";
        texts.overTwoGiga = "> 2 GB";
    } else {
        texts.gigaUnit = " Go";
        texts.megaUnit = " Mo";
        texts.overTwoGiga = "> 2 Go";
    }
    return texts;
}

std::uint32_t CapFreeBytes(std::uint64_t bytes) {
    return bytes >= kFreeSpaceCap ? kFreeSpaceCap : static_cast<std::uint32_t>(bytes);
}

std::string VersionDescription(const DriveTexts &texts, int version) {
    char number[32];
    std::snprintf(number, sizeof number, "%01d.%02d", version / 100, version % 100);
    return texts.versionLabel + number;
}

std::string FreeSpaceDescription(const DriveTexts &texts, std::uint32_t freeBytes) {
    if (freeBytes >= kFreeSpaceCap)
        return texts.freeLabel + texts.overTwoGiga;
    double amount = freeBytes / 1048576.0;
    const std::string *unit = &texts.megaUnit;
    if (amount >= 1024.0) {
        amount /= 1024.0;
        unit = &texts.gigaUnit;
    }
    char number[32];
    std::snprintf(number, sizeof number, "%7.2f ", amount);
    return texts.freeLabel + number + *unit;
}

std::string DriveListLine(const std::string &path, const std::string &description) {
    std::string shown = path;
    if (!shown.empty() && shown.back() == '\\')
        shown.pop_back();
    return shown + "   [" + description + "]";
}

int MarkerVersion(const std::string &markerName) {
    if (markerName.size() < 7)
        return 0;
    const std::size_t start = markerName.size() - 7;
    int version = 0;
    for (std::size_t i = start; i < start + 3; ++i) {
        const char c = markerName[i];
        if (c < '0' || c > '9')
            break;
        version = version * 10 + (c - '0');
    }
    return version;
}

std::string AnyVersionPattern(const std::string &markerName) {
    std::string pattern = markerName;
    if (pattern.size() >= 8)
        pattern.replace(5, 3, "???");
    return pattern;
}

std::uint32_t FreeBytesOfClusters(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                                  std::uint32_t freeClusters) {
    return CapFreeBytes(std::uint64_t{sectorsPerCluster} * bytesPerSector * freeClusters);
}
