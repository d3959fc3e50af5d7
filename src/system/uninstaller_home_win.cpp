#include "system/uninstaller_home_win.h"

#include "core/ascii.h"
#include "core/run_log.h"
#include "core/trust_rules.h"
#include "files/canonical_path_win.h"
#include "files/file_status_win.h"
#include "files/install_record_win.h"
#include "platform/folder_security_win.h"
#include "system/program_launch.h"
#include "system/registry_key_win.h"
#include "system/setup_keys.h"

#include <windows.h>

namespace {

constexpr char kUninstallerName[] = "Uninst.exe";
constexpr char kHomesBelowCommonFiles[] = "Morvel\\Uninstall";

std::string HomesFolder() {
    const std::string common =
        RegistryKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion")
            .Text("CommonFilesDir");
    const std::string canonical = CanonicalFolder(common);
    return canonical.empty() ? "" : canonical + kHomesBelowCommonFiles + "\\";
}

// The key that lists the uninstall entries.
std::string UninstallListKey() {
    const std::string entry = SetupKeyPath(SetupKeyId::Uninstall);
    return entry.substr(0, entry.rfind('\\'));
}

std::string FolderOf(const std::string &path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool WriteNewFile(const std::string &path, const std::string &text) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    const bool ok =
        file &&
        WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size() && FlushFileBuffers(file.Get());
    return file.Close() && ok;
}

} // namespace

std::string UninstallerHome(const std::string &entryName) {
    const std::string homes = HomesFolder();
    return homes.empty() ? "" : homes + FolderNameOf(entryName) + "\\";
}

bool InUninstallerHomes(const std::string &folder) {
    const std::string homes = HomesFolder();
    return !homes.empty() && folder.size() > homes.size() && StartsWithNoCase(folder, homes);
}

bool PlaceUninstaller(const std::string &home, const std::string &uninstaller) {
    // The levels above lie in the common files folder, which only
    // administrators may change: they take its rights.
    const std::string folder = home.substr(0, home.size() - 1);
    for (const std::string &level : LevelsBelowRoot(folder.substr(0, folder.rfind('\\'))))
        CreateDirectoryA(level.c_str(), nullptr); // an existing one is fine
    if (!platform::MakeProtectedFolder(folder)) {
        Log().Line("Could not make the uninstaller's folder " + folder + " (Win32 error " +
                   std::to_string(GetLastError()) + ")");
        return false;
    }
    const std::string program = home + kUninstallerName;
    if (uninstaller.empty() || !CopyFileA(uninstaller.c_str(), program.c_str(), FALSE)) {
        Log().Line("Could not put the uninstaller " +
                   (uninstaller.empty() ? std::string("(setup installed none)") : uninstaller) +
                   " into " + folder);
        return false;
    }
    Log().Line("Uninstaller kept in " + folder);
    return true;
}

bool KeepRecord(const std::string &home, const std::string &recordText) {
    return WriteNewFile(home + kInstallRecordName, recordText);
}

void RemoveUninstallerHome(const std::string &home) {
    if (!InUninstallerHomes(home))
        return;
    for (const char *name : {kUninstallerName, kInstallRecordName}) {
        const std::string path = home + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    if (RemoveDirectoryA(home.substr(0, home.size() - 1).c_str()))
        Log().Line("Removed the earlier uninstaller's folder " + home);
}

std::vector<InstalledEntry> UninstallEntries() {
    std::vector<InstalledEntry> found;
    const RegistryKey list(HKEY_LOCAL_MACHINE, UninstallListKey());
    for (const std::string &name : list.Subkeys()) {
        const RegistryKey entry(list.Get(), name);
        const std::string uninstallerDir =
            FolderOf(CanonicalPath(CommandProgram(entry.Text("UninstallString"))));
        if (!uninstallerDir.empty())
            found.push_back({name, entry.Text("DisplayName"), uninstallerDir,
                             CanonicalFolder(entry.Text("InstallLocation"))});
    }
    return found;
}

std::vector<InstalledEntry> EntriesFor(const std::string &installDir) {
    std::vector<InstalledEntry> found;
    for (InstalledEntry &entry : UninstallEntries()) {
        if (EqualsNoCase(entry.uninstallerDir, installDir) ||
            EqualsNoCase(entry.location, installDir))
            found.push_back(std::move(entry));
    }
    return found;
}

bool RemoveUninstallEntry(const std::string &keyName) {
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, (UninstallListKey() + "\\" + keyName).c_str()) ==
           ERROR_SUCCESS;
}

ParsedRecord ProtectedRecordFor(const std::string &installDir, std::string &home) {
    for (const InstalledEntry &entry : EntriesFor(installDir)) {
        if (!InUninstallerHomes(entry.uninstallerDir) ||
            !platform::OnlyAdministratorsMayWrite(entry.uninstallerDir))
            continue;
        ParsedRecord record =
            ParseRecord(ReadRecordFile(entry.uninstallerDir + kInstallRecordName));
        if (record.valid && EqualsNoCase(RecordedInstallDir(record), installDir)) {
            home = entry.uninstallerDir;
            return record;
        }
    }
    return ParsedRecord();
}
