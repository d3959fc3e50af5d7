#include "ui/drive_list.h"

#include "core/app_state.h"
#include "messages/catalog.h"
#include "messages/message_dialog.h"
#include "messages/string_table.h"
#include "messages/text_ids.h"
#include "platform/optional_api.h"
#include "ui/drive_scan.h"
#include "files/product_settings_win.h"
#include "core/run_state.h"

#include <cstdio>

namespace {

class WinDriveProbes : public DriveProbes {
public:
    explicit WinDriveProbes(const RunState &run) : run_(run) {}

    bool MayHoldProduct(const std::string &root) override {
        const UINT type = GetDriveTypeA(root.c_str());
        return type == DRIVE_FIXED || type == DRIVE_REMOVABLE || type == DRIVE_REMOTE;
    }
    bool FileExists(const std::string &path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::string FirstMatch(const std::string &pattern) override {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return {};
        FindClose(search);
        return found.cFileName;
    }
    std::uint32_t FreeBytes(const std::string &root) override { return FreeBytesOfRoot(root); }
    std::string EarlierInstallFile() override { return Profile("rechname"); }
    int EarlierInstallVersion() override {
        const std::string value = Profile("rechver");
        long version = 0;
        if (std::sscanf(value.c_str(), "%ld", &version) != 1)
            version = 0;
        return static_cast<int>(version);
    }

private:
    std::string Profile(const char *key) const {
        return ProductSetting(run_.settingsPath, "setup", key);
    }
    const RunState &run_;
};

DriveTexts CurrentDriveTexts() {
    if (CatalogAvailable()) {
        return DriveTexts{SetupText("VERSION"), SetupText("LIBRE"), SetupText("GO"),
                          SetupText("MO"), SetupText("2GO")};
    }
    return BuiltInDriveTexts(App().languageIndex, GroupText(kTextDetectedVersion),
                             GroupText(kTextFreeSpace));
}

void TellNoDiskHasRoom(HWND dialog, std::uint32_t required) {
    MessageRequest request;
    request.mode = 0;
    request.width = 320;
    request.height = 200;
    if (CatalogAvailable()) {
        request.text = SetupText("NO_DISK_DISPO");
    } else {
        const int language = App().languageIndex;
        const char *format = language == 1 ? "%ld Mb" : language == 2 ? "%ld MB" : "%ld Mo.";
        char space[32];
        std::snprintf(space, sizeof space, format, static_cast<long>(required >> 20));
        request.text = GroupText(kTextNoDriveSpace) + GroupText(kTextRequiredSpace) + space;
    }
    ReportFailure("No drive has room for the product");
    ShowMessageDialog(dialog, request);
}

} // namespace

std::uint32_t FreeBytesOfRoot(const std::string &root) {
    // Windows 95 before OSR2 has no GetDiskFreeSpaceExA.
    ULARGE_INTEGER callerFree, total, totalFree;
    if (const auto getFreeEx = Kernel32().getDiskFreeSpaceEx;
        getFreeEx && getFreeEx(root.c_str(), &callerFree, &total, &totalFree)) {
        return CapFreeBytes(totalFree.QuadPart);
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &clusters))
        return 0; // unknown room: the drive cannot be chosen
    // Large FAT32 and NTFS drives report more than 32 bits of room.
    return FreeBytesOfClusters(sectorsPerCluster, bytesPerSector, freeClusters);
}

bool ScanDriveList(HWND owner, RunState &run, DriveChoice &choice) {
    const std::string &destination = App().options.destination;
    DriveScanInput input;
    run.dirs.install = InstallDirOfDestination(destination, run.dirs.install);
    input.installDir = run.dirs.install;
    input.markerName = run.markerName;
    input.productVersion = run.productVersion;
    input.spaceFirstInstall = run.spaceFirstInstall;
    input.spaceReinstall = run.spaceReinstall;
    input.texts = CurrentDriveTexts();

    WinDriveProbes probes(run);
    DriveScanResult result = ScanDrives(input, probes);
    run.spaceRequired = result.spaceRequired;
    const bool noRoom = NoDiskHasRoom(result);
    run.drives = std::move(result.entries);

    if (run.drives.empty()) {
        ReportFailure("No drive can hold the product");
        return false;
    }
    if (noRoom) {
        TellNoDiskHasRoom(owner, run.spaceRequired);
        return false;
    }
    choice = ChooseDrive(run.drives, result.defaultSelection, destination);
    if (choice.index < 0 && !App().options.quiet)
        choice.index = result.defaultSelection;
    return true;
}

bool FillDriveList(HWND dialog, int listId, RunState &run) {
    DriveChoice choice;
    if (!ScanDriveList(dialog, run, choice))
        return false;
    for (const DriveEntry &entry : run.drives) {
        const std::string line = DriveListLine(entry.path, entry.description);
        SendDlgItemMessageA(dialog, listId, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendDlgItemMessageA(dialog, listId, LB_SETCURSEL, static_cast<WPARAM>(choice.index), 0);
    return true;
}
