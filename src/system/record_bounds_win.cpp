#include "system/record_bounds_win.h"

#include "core/ascii.h"
#include "files/canonical_path_win.h"
#include "system/autoexec.h"
#include "system/registry_key_win.h"
#include "system/special_folders_win.h"
#include "system/uninstaller_home_win.h"

#include <windows.h>

#include <shlobj.h>

namespace {

// True when the path, made canonical, is dir or lies inside it.
bool PointsInto(const std::string &path, const std::string &dir) {
    const std::string canonical = CanonicalPath(path);
    return !canonical.empty() && PathInsideOrSame(canonical, dir);
}

// The uninstall entry whose uninstaller lies in that folder.
std::string UninstallName(const std::string &uninstallerDir) {
    for (const InstalledEntry &entry : UninstallEntries()) {
        if (EqualsNoCase(entry.uninstallerDir, uninstallerDir))
            return entry.keyName;
    }
    return "";
}

// The speech engine the system lists, when its server lies in the install
// directory.
std::string EngineClass(const std::string &installDir) {
    std::string clsid = RegistryKey(HKEY_LOCAL_MACHINE, SetupKeyPath(SetupKeyId::SpeechEngines))
                            .Text(kSpeechEngineName);
    if (clsid.empty() || clsid.find('\\') != std::string::npos)
        return "";
    const std::string server =
        RegistryKey(HKEY_CLASSES_ROOT,
                    SetupKeyPath(SetupKeyId::SpeechClass, clsid) + "\\InprocServer32")
            .Text(nullptr);
    const std::string machineServer =
        RegistryKey(HKEY_LOCAL_MACHINE,
                    SetupKeyPath(SetupKeyId::SpeechMachineClass, clsid) + "\\InprocServer32")
            .Text(nullptr);
    return PointsInto(server, installDir) || PointsInto(machineServer, installDir) ? clsid : "";
}

// The product whose speech settings point into the install directory.
std::string SpeechProduct(const std::string &installDir) {
    const std::string pattern = SetupKeyPath(SetupKeyId::SpeechProduct, "%");
    const std::string maker = pattern.substr(0, pattern.find('%') - 1);
    const std::string rest = pattern.substr(pattern.find('%') + 1);
    const RegistryKey products(HKEY_LOCAL_MACHINE, maker);
    for (const std::string &name : products.Subkeys()) {
        const RegistryKey paths(products.Get(), name + rest + "\\WPsolaPath");
        if (PointsInto(paths.Text("Main"), installDir))
            return name;
    }
    return "";
}

} // namespace

RecordBounds InstallBounds(const std::string &installDir, const std::string &uninstallerDir) {
    RecordBounds bounds;
    bounds.installDir = CanonicalFolder(installDir);
    if (bounds.installDir.empty())
        return bounds;
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_STARTUP, CSIDL_COMMON_STARTUP,
                      CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY}) {
        const std::string folder = CanonicalFolder(ShellFolderIfAny(csidl));
        if (!folder.empty())
            bounds.shellFolders.push_back(folder);
    }
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length > 0 && length < sizeof windows)
        bounds.batchFile = CanonicalPath(AutoexecPath(windows));
    bounds.keyNames.uninstall = UninstallName(CanonicalFolder(uninstallerDir));
    bounds.keyNames.engine = EngineClass(bounds.installDir);
    bounds.keyNames.product = SpeechProduct(bounds.installDir);
    return bounds;
}

CanonicalPathFn RecordPathsWithin(const RecordBounds &bounds) {
    std::vector<std::string> trusted = bounds.shellFolders;
    trusted.push_back(bounds.installDir);
    return [trusted](const std::string &path) { return CanonicalPathWithin(path, trusted); };
}
