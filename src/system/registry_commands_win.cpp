#include "system/registry_commands.h"

#include "core/app_state.h"
#include "core/ascii.h"
#include "core/install_record.h"
#include "core/install_view.h"
#include "core/run_state.h"
#include "core/run_log.h"
#include "files/copy_engine.h"
#include "files/canonical_path_win.h"
#include "files/path_macros.h"
#include "platform/windows_family.h"
#include "system/autoexec.h"
#include "system/autoexec_win.h"
#include "system/registry.h"
#include "system/shortcut_names.h"
#include "system/uninstaller_home_win.h"

#include <windows.h>

namespace {

class WinRegistryCommands : public RegistryCommands {
public:
    WinRegistryCommands(const RunState &run, InstallView &view) : run_(run), view_(view) {}

    void Run(const SpecialAddPathCommand &command) override {
        const auto directory = PrepareFileName(command.directory, run_.dirs, view_);
        if (!directory)
            return;
        char windows[80] = {};
        GetWindowsDirectoryA(windows, sizeof windows);
        if (!AppendPathToBatchFile(AutoexecPath(windows), *directory, view_))
            view_.EndRun(0);
    }

    // Failures leave the installation going on: the product works without
    // its entry in the list of removable programs. On the NT family the
    // entry runs the uninstaller's protected copy (see uninstaller_home_win);
    // without one, there is no entry.
    void WriteUninstallEntry() override {
        const std::string name =
            UninstallDisplayName(run_.productName, run_.productVersion, run_.dirs.install);
        const std::string key = UninstallKey(name);
        const std::string &dir = run_.dirs.install;
        std::string uninstallerDir = dir;
        std::string home;
        if (!platform::IsWindows95Family()) {
            const std::string source = UninstallerSource();
            if (source.empty()) {
                Log().Line("No uninstall entry: this run installed no Uninst.exe");
                return;
            }
            home = UninstallerHome(name);
            if (home.empty() || !PlaceUninstaller(home, source)) {
                ReportFailure("Uninstall entry not written: its uninstaller has no safe place");
                return;
            }
            uninstallerDir = home;
        }
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "DisplayName", name);
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "UninstallString",
                          UninstallCommand(uninstallerDir));
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "QuietUninstallString",
                          QuietUninstallCommand(uninstallerDir));
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "InstallLocation", InstallLocationOf(dir));
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "DisplayVersion",
                          DisplayVersionOf(run_.productVersion));
        SetRegistryDword(HKEY_LOCAL_MACHINE, key, "EstimatedSize",
                         EstimatedSizeOf(DirectorySize(dir + "*.*", true)));
        SetRegistryDword(HKEY_LOCAL_MACHINE, key, "NoModify", 1);
        SetRegistryDword(HKEY_LOCAL_MACHINE, key, "NoRepair", 1);
        Log().Line("Uninstall entry " + key);
        // Written last, so that it names the entry's keys and values too.
        if (!home.empty() && !KeepRecord(home, RecordedText()))
            ReportFailure("The uninstaller's record could not be written into " + home);
        RemoveEarlierEntries(name);
    }

private:
    // The CD's file this run installed as the uninstaller.
    std::string UninstallerSource() const {
        const std::string *source =
            run_.written.SourceOf(CanonicalPath(run_.dirs.install + "Uninst.exe"));
        return source ? *source : std::string();
    }

    // One entry per folder: an earlier version's entry for the same folder
    // names an uninstaller that would find nothing left of its own.
    void RemoveEarlierEntries(const std::string &name) {
        for (const InstalledEntry &entry : EntriesFor(CanonicalFolder(run_.dirs.install))) {
            if (EqualsNoCase(entry.keyName, name) ||
                !SameProductEntry(entry.displayName, run_.productName) ||
                !RemoveUninstallEntry(entry.keyName))
                continue;
            Log().Line("Removed the earlier uninstall entry " + entry.keyName);
            RemoveUninstallerHome(entry.uninstallerDir);
        }
    }

    const RunState &run_;
    InstallView &view_;
};

} // namespace

std::unique_ptr<RegistryCommands> MakeRegistryCommands(const RunState &run, InstallView &view) {
    return std::make_unique<WinRegistryCommands>(run, view);
}
