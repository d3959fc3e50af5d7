#include "ui/drive_scan.h"

#include "core/ascii.h"
#include "core/script_text.h"
#include "core/run_state.h"

namespace {

class Scan {
public:
    Scan(const DriveScanInput &input, DriveProbes &probes) : input_(input), probes_(probes) {}

    DriveScanResult Run() {
        for (char letter = 'C'; letter <= 'Z'; ++letter)
            Examine(letter);
        return std::move(result_);
    }

private:
    void Add(const std::string &path, std::string description, bool mayInstall, bool reinstall,
             bool asDefault) {
        DriveEntry entry;
        entry.path = path;
        entry.description = std::move(description);
        entry.mayInstall = mayInstall;
        entry.reinstall = reinstall;
        result_.entries.push_back(std::move(entry));
        if (asDefault && result_.defaultSelection < 0)
            result_.defaultSelection = static_cast<int>(result_.entries.size()) - 1;
    }

    void Examine(char letter) {
        result_.spaceRequired = input_.spaceFirstInstall;
        const std::string root = std::string(1, letter) + ":\\";
        if (!probes_.MayHoldProduct(root))
            return;
        std::string path = std::string(1, letter) + ":" + input_.installDir;
        if (path.back() != '\\')
            path += '\\';

        if (!input_.markerName.empty() && probes_.FileExists(path + input_.markerName)) {
            // The same version: offered again, whatever room is left.
            result_.spaceRequired = input_.spaceReinstall;
            Add(path, VersionDescription(input_.texts, MarkerVersion(input_.markerName)), true,
                true, true);
            result_.installationFound = true;
            return;
        }
        if (!input_.markerName.empty()) {
            const std::string other =
                probes_.FirstMatch(path + AnyVersionPattern(input_.markerName));
            if (!other.empty()) {
                const int installed = MarkerVersion(ToUpperAscii(other));
                const bool mayInstall = input_.productVersion >= installed;
                result_.installationFound = true;
                Add(path, VersionDescription(input_.texts, installed), mayInstall, false,
                    mayInstall);
                return;
            }
        }
        // Another product's or language's marker counts as an installation,
        // but the drive is judged by its room alone.
        if (!probes_.FirstMatch(path + "*.CD1").empty()) {
            result_.installationFound = true;
        } else if (!result_.installationFound) {
            const std::string earlier = probes_.EarlierInstallFile();
            if (!earlier.empty() && probes_.FileExists(path + earlier)) {
                result_.installationFound = true;
                Add(path, VersionDescription(input_.texts, probes_.EarlierInstallVersion()), true,
                    false, true);
                return;
            }
        }
        const std::uint32_t free = probes_.FreeBytes(root);
        const bool room = free >= result_.spaceRequired;
        Add(path, FreeSpaceDescription(input_.texts, free), room, false, room);
    }

    const DriveScanInput &input_;
    DriveProbes &probes_;
    DriveScanResult result_;
};

} // namespace

DriveScanResult ScanDrives(const DriveScanInput &input, DriveProbes &probes) {
    return Scan(input, probes).Run();
}

bool NoDiskHasRoom(const DriveScanResult &result) {
    if (result.installationFound)
        return false;
    for (const DriveEntry &entry : result.entries) {
        if (entry.mayInstall)
            return false;
    }
    return true;
}

DriveChoice ChooseDrive(const std::vector<DriveEntry> &entries, int defaultSelection,
                        const std::string &destination) {
    DriveChoice choice;
    if (destination.empty()) {
        if (defaultSelection >= 0 && static_cast<std::size_t>(defaultSelection) < entries.size() &&
            entries[static_cast<std::size_t>(defaultSelection)].mayInstall) {
            choice.index = defaultSelection;
        } else {
            choice.why = "no drive can take the product";
        }
        return choice;
    }
    const std::string drive = ToUpperAscii(destination.substr(0, 2));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (ToUpperAscii(entries[i].path.substr(0, 2)) != drive)
            continue;
        if (entries[i].mayInstall)
            choice.index = static_cast<int>(i);
        else
            choice.why = "drive " + drive + " has too little room or holds a newer version";
        return choice;
    }
    choice.why = "drive " + drive + " is no hard, removable or network drive";
    return choice;
}

std::string InstallDirOfDestination(const std::string &destination,
                                    const std::string &cdInstallDir) {
    if (destination.size() <= 3)
        return cdInstallDir;
    std::string dir = destination.substr(2);
    while (dir.size() > 1 && dir.back() == '\\')
        dir.pop_back();
    return dir;
}
