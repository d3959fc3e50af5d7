#include "system/registry_commands.h"

#include "core/install_view.h"
#include "core/run_state.h"
#include "core/run_log.h"
#include "files/copy_engine.h"
#include "files/path_macros.h"
#include "system/autoexec.h"
#include "system/autoexec_win.h"
#include "system/registry.h"
#include "system/shortcut_names.h"

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
    // its entry in the list of removable programs.
    void WriteUninstallEntry() override {
        const std::string name =
            UninstallDisplayName(run_.productName, run_.productVersion, run_.dirs.install);
        const std::string key = UninstallKey(name);
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "DisplayName", name);
        const std::string &dir = run_.dirs.install;
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "UninstallString", UninstallCommand(dir));
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "QuietUninstallString",
                          QuietUninstallCommand(dir));
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "InstallLocation", InstallLocationOf(dir));
        SetRegistryString(HKEY_LOCAL_MACHINE, key, "DisplayVersion",
                          DisplayVersionOf(run_.productVersion));
        SetRegistryDword(HKEY_LOCAL_MACHINE, key, "EstimatedSize",
                         EstimatedSizeOf(DirectorySize(dir + "*.*", true)));
        SetRegistryDword(HKEY_LOCAL_MACHINE, key, "NoModify", 1);
        SetRegistryDword(HKEY_LOCAL_MACHINE, key, "NoRepair", 1);
        Log().Line("Uninstall entry " + key);
    }

private:
    const RunState &run_;
    InstallView &view_;
};

} // namespace

std::unique_ptr<RegistryCommands> MakeRegistryCommands(const RunState &run, InstallView &view) {
    return std::make_unique<WinRegistryCommands>(run, view);
}
