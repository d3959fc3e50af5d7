#include "script/install_run.h"

#include "core/app_state.h"
#include "core/install_view.h"
#include "core/run_state.h"
#include "files/canonical_path_win.h"
#include "files/copy_engine.h"
#include "files/directory_commands.h"
#include "files/file_commands.h"
#include "files/install_record_win.h"
#include "files/install_tree_win.h"
#include "files/product_settings_win.h"
#include "platform/windows_family.h"
#include "script/display_commands.h"
#include "script/interpreter.h"
#include "system/component_commands.h"
#include "system/program_commands.h"
#include "system/record_bounds_win.h"
#include "system/registry_commands.h"
#include "system/shell_commands.h"
#include "system/uninstaller_home_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// A window that ignores WM_QUIT must not hold the installation up for ever.
constexpr DWORD kCloseWaitMs = 5000;

// The screen saver stays off while files are copied.
class ScreenSaverOff {
public:
    ScreenSaverOff() {
        SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &wasActive_, 0);
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    }
    ~ScreenSaverOff() { SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, wasActive_, nullptr, 0); }
    ScreenSaverOff(const ScreenSaverOff &) = delete;
    ScreenSaverOff &operator=(const ScreenSaverOff &) = delete;

private:
    BOOL wasActive_ = FALSE;
};

void CloseNamedWindows(const RunState &run, InstallView &view) {
    for (const std::string &title : TitlesToClose(run.settings, run.productName)) {
        HWND window = FindWindowA(nullptr, title.c_str());
        if (!window)
            continue;
        const DWORD start = GetTickCount();
        while (window && GetTickCount() - start < kCloseWaitMs) {
            PostMessageA(window, WM_QUIT, 0, 0);
            if (!view.PumpMessage())
                return;
            window = FindWindowA(nullptr, title.c_str());
        }
    }
}

// What an earlier installation created outside the files stays after the
// clean-up (folders, shortcuts, keys, batch lines), so the fresh record takes
// it over: the uninstaller must still remove it. Only what setup can have
// made: a line someone added to the old record stays out. On the NT family
// the old record is the uninstaller's own copy, which only administrators
// may change; the one in the install folder is anyone's.
std::vector<RecordEntry> EarlierRecord(const std::string &installDir) {
    ParsedRecord record;
    std::string uninstallerDir = installDir;
    if (platform::IsWindows95Family())
        record = ParseRecord(ReadRecordFile(installDir + kInstallRecordName));
    else
        record = ProtectedRecordFor(CanonicalFolder(installDir), uninstallerDir);
    if (record.entries.empty())
        return {};
    const RecordBounds bounds = InstallBounds(installDir, uninstallerDir);
    std::vector<RecordEntry> kept;
    for (const RecordEntry &entry :
         ScreenRecord(record.entries, bounds, RecordPathsWithin(bounds)).accepted) {
        if (entry.kind != RecordKind::File && entry.kind != RecordKind::Language &&
            entry.kind != RecordKind::InstallDir)
            kept.push_back(entry);
    }
    return kept;
}

} // namespace

void RunInstall(RunState &run, InstallView &view) {
    ScreenSaverOff screenSaver;
    run.programPath = run.dirs.install + ProductSetting(run.settingsPath, "general", "Exec");
    // Held from here to the end of the run: no folder of the tree can become
    // a link to elsewhere meanwhile.
    InstallTree tree(run.dirs.install);
    const std::string link = tree.LinkOnTheWay();
    if (!link.empty()) {
        ReportFailure("Refused: " + link + " is a link to another place");
        view.Alert("Setup does not install into " + run.dirs.install + ": " + link +
                       " is a link to another place.",
                   "Setup Morvel");
        view.EndRun(0);
        return;
    }
    EnterFolder(run.dirs.install);
    CloseNamedWindows(run, view);
    const std::vector<RecordEntry> earlier = EarlierRecord(run.dirs.install);
    CleanInstallDirectory(run.dirs.install, run.settings, run.productCode);
    InstallRecordFile record(run.dirs.install + kInstallRecordName, run.dirs.install);
    for (const RecordEntry &entry : earlier)
        record.Add(entry);

    // One byte count for the whole run, whichever command copies.
    CopyEngine engine(run.settings, view);
    if (!platform::IsWindows95Family())
        engine.TrackPrograms(run.dirs.install, run.written);
    const auto files = MakeFileCommands(run, view, engine);
    const auto shell = MakeShellCommands(run, view, engine);
    const auto registry = MakeRegistryCommands(run, view);
    const auto programs = MakeProgramCommands(run, view);
    const auto components = MakeComponentCommands(run, view, engine);
    const auto display = MakeDisplayCommands(run, view);
    CommandFamilies families{*files, *shell, *registry, *programs, *components, *display};
    RunCommands(run.settings.commands, families, view);
}
